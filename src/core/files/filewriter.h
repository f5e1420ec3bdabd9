#pragma once
// Every file the program writes goes through here, so that a full disk, a
// failing stick or a link planted in the working folder never costs the
// teacher a good file nor reports a cut one as written.
#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <memory>

namespace toravi {

// Writes `bytes` to a temporary file in the target's folder, checks every
// write, syncs it to disk, then renames it over `path`. A symbolic link at
// `path` is replaced by the new file, never written through. A replaced regular
// file keeps its permissions; a new file gets those the umask gives. On any
// failure the old file stays whole, the temporary is removed and false is
// returned. A read-only target or a folder at `path` is refused.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Copies `source` onto `target` the same way, in chunks. The source is read
// through links but must be a regular file: pipes, devices and folders are
// refused without being read (and a pipe never blocks). A source that fails a
// read or changes size while copied fails the copy. A copy onto itself (also
// through links or another spelling of the path) leaves the file as it is and
// succeeds. Returns whether `target` now holds the whole source.
bool CopyFileAtomically(const QString& source, const QString& target);

// True when `path`, followed through links, is a regular file. Pipes, devices
// and folders are never to be opened as pictures or projects. Nothing is opened.
bool IsRegularFile(const QString& path);

// The writer's temporary files, hidden beside their target: "." + name + "." +
// random + ".tmp". A run killed mid-write leaves one behind.
QString WriterTemporaryName(const QString& name);
bool IsWriterTemporaryName(const QString& fileName);
// Removes such leftovers from `folder` and its `img`, and nothing else. Only for
// the holder of the folder's lock: another run's write may be under way.
void RemoveWriterDebris(const QString& folder);

// The seam through which tests make any writer fail. One fault at a time.
namespace filefaults {
enum class Kind {
    None,
    FailWrite,   // the write fails (EIO)
    ShortWrite,  // the write stores half and says so; the disk is then full: every
                 // later write fails with ENOSPC until Reset or the next Inject
    NoSpace,     // the write fails with ENOSPC
    FailSync,    // the sync to disk fails (EIO)
    FailRename,  // the final rename fails (EACCES)
};
// Arms one fault and restarts the counts. Write faults hit the `nth` low-level
// write (1-based) from now on, counted across all files; a file takes one write
// a chunk of 1 MiB (so a text or a small picture takes one). FailSync and
// FailRename hit the `nth` file finished from now on. The fault fires once.
void Inject(Kind kind, int nth = 1);
// Disarms any fault and restarts the counts.
void Reset();
}  // namespace filefaults

// One run at a time per working folder: a lock file ".toravi.lock" in the
// folder (hidden, outside `img`), held while copying and writing. The lock of a
// run that crashed is taken over: at once on the same machine, after
// `kStaleLockMs` from another one.
class FolderLock {
public:
    static constexpr int kStaleLockMs = 5 * 60 * 1000;
    static QString LockFileName() { return QStringLiteral(".toravi.lock"); }

    // Waits up to `waitMs` for a lock held by another run, then gives up.
    explicit FolderLock(const QString& folder, int waitMs = 3000);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool isLocked() const;
    // Why the lock was not taken: LockFailedError when another run holds it
    // (the folder is busy); PermissionError or UnknownError when the folder
    // cannot hold a file at all (missing, read-only).
    QLockFile::LockError error() const;

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_locked = false;
};

}  // namespace toravi
