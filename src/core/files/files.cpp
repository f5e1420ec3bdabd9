#include "files/files.h"

#include "files/filewriter.h"
#include "platform/platform.h"
#include "toravi_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <memory>

namespace toravi {

QChar PathSeparator()
{
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

QString JoinPath(const QString& folder, const QString& name) { return folder + PathSeparator() + name; }

QString LastComponent(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString SafeFileName(const QString& name)
{
    QString last = LastComponent(name);
    if (last == QLatin1String(".") || last == QLatin1String(".."))
        return {};
    return last;
}

QString ResolveProjectSource(const QString& projectFile, const QString& source)
{
    if (source.isEmpty() || !QDir::isRelativePath(source))
        return source;
    QString relative = source;
#ifndef Q_OS_WIN
    // Projects made on Windows separate their folders with backslashes.
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    return QDir::toNativeSeparators(QFileInfo(projectFile).absoluteDir().filePath(relative));
}

QString DriveRootFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath();
#endif
}

namespace {
QString& programFolderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

void SetProgramFolder(const QString& folder) { programFolderOverride() = folder; }

QString ProgramFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    QString here = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(here + QStringLiteral("/ptrouge.gif")))
        return QDir::toNativeSeparators(here);
    // Installed: the data folder beside bin.
    QString data = QDir::cleanPath(here + QStringLiteral("/../") + QStringLiteral(TORAVI_DATA_SUBDIR));
    if (QFileInfo::exists(data + QStringLiteral("/ptrouge.gif")))
        return QDir::toNativeSeparators(data);
    return QDir::toNativeSeparators(here);
}

QString ChooseFolder(Platform& platform, const QString& prompt) { return platform.chooseFolder(prompt); }

bool MakeImgFolder(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString img = JoinPath(folder, QStringLiteral("img"));
    // Pictures are never written through a link planted in the working folder.
    if (QFileInfo(img).isSymLink())
        QFile::remove(img);
    QDir().mkdir(img);
    const QFileInfo info(img);
    return info.isDir() && !info.isSymLink();
}

namespace {
struct HeldLock {
    std::unique_ptr<FolderLock> lock;
    int count = 0;
};
std::map<QString, HeldLock>& heldLocks()
{
    static std::map<QString, HeldLock> held;
    return held;
}
int& lockWait()
{
    static int ms = 3000;
    return ms;
}
}  // namespace

void SetWorkingFolderLockWait(int ms) { lockWait() = ms; }

WorkingFolderLock::WorkingFolderLock(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return;
    key_ = info.canonicalFilePath();
    HeldLock& held = heldLocks()[key_];
    if (held.count == 0) {
        auto lock = std::make_unique<FolderLock>(key_, lockWait());
        if (!lock->isLocked()) {
            busy_ = lock->error() == QLockFile::LockFailedError;
            heldLocks().erase(key_);
            key_.clear();
            return;
        }
        held.lock = std::move(lock);
    }
    ++held.count;
}

WorkingFolderLock::~WorkingFolderLock()
{
    if (key_.isEmpty())
        return;
    auto it = heldLocks().find(key_);
    if (it != heldLocks().end() && --it->second.count == 0)
        heldLocks().erase(it);
}

void PrepareImgFolder(const QString& folder)
{
    const WorkingFolderLock lock(folder);
    if (lock.busy() || !MakeImgFolder(folder))
        return;
    CopyFileReplacing(JoinPath(ProgramFolder(), QStringLiteral("ptrouge.gif")),
                      JoinPath(JoinPath(folder, QStringLiteral("img")), QStringLiteral("ptrouge.gif")));
}

bool CopyFileReplacing(const QString& source, const QString& target)
{
    return !source.isEmpty() && !target.isEmpty() && CopyFileAtomically(source, target);
}

namespace msg {
QString NotRead(const QString& path) { return QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(path); }
QString NotSaved(const QString& path) { return QStringLiteral("Le fichier %1 n'a pas pu être enregistré.").arg(path); }
QString NoWorkingFolder(const QString& folder)
{
    return QStringLiteral("Le dossier de travail %1 n'existe pas.").arg(folder);
}
QString FolderBusy(const QString& folder)
{
    return QStringLiteral("Le dossier de travail %1 est occupé par un autre Toravi qui y écrit. Réessayez dans un "
                          "instant.")
        .arg(folder);
}
QString NotCopied(const QStringList& sources, const QString& where)
{
    if (sources.size() == 1)
        return QStringLiteral("Le fichier %1 n'a pas pu être copié dans le dossier %2.").arg(sources[0], where) +
               QLatin1Char('\r') +
               QStringLiteral("Vérifiez qu'il existe encore, puis choisissez-le à nouveau.");
    QString text = QStringLiteral("Les fichiers suivants n'ont pas pu être copiés dans le dossier %1 :").arg(where);
    for (const QString& s : sources)
        text += QLatin1Char('\r') + s;
    return text + QLatin1Char('\r') + QStringLiteral("Vérifiez qu'ils existent encore, puis choisissez-les à nouveau.");
}
}  // namespace msg

}  // namespace toravi
