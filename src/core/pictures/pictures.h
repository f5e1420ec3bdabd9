#pragma once
// The pictures room: sizes read from headers (imginf.h), pictures decoded for the
// windows (picturecache.h), and here the project's pictures: their copies in the
// working folder's img, the roles they take and the clashes of their names, the
// places they take in the pages, and the reduced copies offered for pictures
// larger than their place. Uses the files and platform rooms.
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace toravi {

class Platform;

// Copies the picture into folder/img under the name its copy takes (PageCopyName)
// and returns that name. Nothing is copied under an empty folder. `copied` tells
// whether the copy is there.
QString CopyIntoImg(const QString& source, const QString& folder, bool* copied = nullptr);

// A picture of the project: where it comes from and its name in img.
struct ProjectPicture {
    QString source;
    QString name;
};
// Whether the file is a picture Toravi reads: PNG, GIF, BMP, JPEG, WebP or TIFF, by its header.
bool IsPicture(const QString& path);
// Whether pages show the picture as it is, in every browser: PNG, GIF, BMP, JPEG,
// and WebP unless animated or turned by an orientation. The others get a copy.
bool IsPagePicture(const QString& path);
// The name of a picture's copy in img: its own when pages show it as it is, else
// its own with the copy's format added ("scan.tif.jpg"), JPEG for photos, PNG
// for drawings and transparency. Made from the source alone, so that a project
// naming it makes the same copy again when loaded.
QString PageCopyName(const QString& source);
// The name a project's picture keeps when loaded: `name`, unless the source is a
// picture that pages cannot show as it is and `name` is none of its copies.
QString ShownPictureName(const QString& source, const QString& name);
// The file dialogs' filter for pictures, with PNG or without, as each dialog had it.
QString PictureFilter(bool png);
// Why a picture chosen for one role cannot be taken ("" when it can): it is no
// picture, or another picture of the project (`others`) already has its name.
QString PictureRefusal(const QString& source, const QList<ProjectPicture>& others);
// The first clash of names among the project's pictures, as a message ("" when none).
QString NameClash(const QList<ProjectPicture>& pictures);
// A notice for a picture whose size reads as 0: it would not show in the page.
QString ZeroSizeNotice(const QString& path);

// The names of the pictures whose copy in folder/img is missing, or no picture
// that pages show: a page made now would lack them.
QStringList MissingCopies(const QString& folder, const QList<ProjectPicture>& pictures);

// Copies every picture again into folder/img (or makes its reduced copy again),
// skipping what is no picture and the later of two pictures of one name.
// Returns what the teacher must be told ("" when all is well): sources not
// copied (an earlier whole copy still serves), files that are no pictures,
// clashes, or the working folder itself.
QString CopyProjectPictures(const QString& folder, const QList<ProjectPicture>& pictures);

// --- Places in the pages ---
inline constexpr int kEditorFrameWidth = 733;   // the point editor's frame
inline constexpr int kEditorFrameHeight = 643;
inline constexpr int kSceneShownWidth = 700;    // the drag-and-drop scene
inline constexpr int kObjectRowWidth = 696;     // the drag-and-drop objects' row

// A picture's size as the page shows it (upright); invalid when it reads as none.
QSize ShownSize(const QString& path);
// `size` made to fit `place` with its proportions kept; a place of 0 is
// unbounded that way. Never larger than `size`.
QSize FitInto(QSize size, QSize place);
// The size of the reduced copy a picture of `size` gets in its place, or `size`
// itself when it fits. An object is first scaled as the scene is (`scene` is the
// scene's own size), and further only when it still does not fit its row and
// the height the scene is shown at.
QSize ReferenceCopySize(QSize size);
QSize SceneCopySize(QSize size);
QSize ObjectCopySize(QSize size, QSize scene);

// --- Reduced copies ---
// A reduced copy lies in img under a name of its own that says its source and
// size ("photo-700x525.jpg"), so that a project naming it makes the same copy
// again when loaded. JPEG stays JPEG, WebP and TIFF photos become JPEG; every
// other kind becomes PNG, transparency kept.
QString ReducedCopyName(const QString& source, QSize size);
// The size of the reduced copy `name` is of `source` (in JPEG or PNG); invalid when it is none.
QSize ReducedCopySize(const QString& source, const QString& name);
// The name a picture keeps when it is copied again: `name` when it is one of the
// copies of `source` that Toravi makes, else the source's PageCopyName.
QString KeptPictureName(const QString& source, const QString& name);
// Writes `name`, a copy of `source` that Toravi makes (reduced, or whole in
// another format) into folder/img: turned upright, scaled with good quality,
// JPEG or PNG as its name says. The source is never touched. Returns whether it is there.
bool MakePictureCopy(const QString& source, const QString& folder, const QString& name);
// The picture decoded and turned upright, as pages show it; a JPEG may come at
// 1/2, 1/4 or 1/8 of its size when that still holds `atLeast` (empty: whole).
// Null when it cannot be read.
QImage ReadUprightPicture(const QString& source, QSize atLeast = QSize());
// Copies one picture into img: the copy its name says when Toravi makes it, else
// the whole picture under its name. Returns whether the copy is there.
bool CopyPicture(const ProjectPicture& picture, const QString& folder);
// What Oui does without the question: `name` becomes that of the reduced copy
// of `source` (`size`) at `reduced`, made at once, unless the picture fits its
// place or is named for its reduced copy already.
// Returns the name it had when it changed ("" otherwise).
QString TakeReducedCopy(const QString& source, QString& name, QSize size, QSize reduced, const QString& folder);
// Removes from folder/img the whole copies that reduced copies replaced
// (`replaced`), unless a picture of the project still names them.
void DropReplacedCopies(const QString& folder, const QStringList& replaced, const QList<ProjectPicture>& pictures);
// The question offering a reduced copy (Oui / Non).
QString ReducedCopyOffer(const QString& source, QSize size, QSize reduced);
// The name a chosen picture of `size` takes in img where its place needs it
// `reduced`: its reduced copy's when the teacher says Oui to the offer (asked
// only when it is larger), else its PageCopyName. The copy is not made here.
QString NameForPlace(Platform& platform, const QString& source, QSize size, QSize reduced);

// --- Small previews ---
// A camera's thumbnail of a JPEG picture, turned upright, when it shows the
// whole picture and is at least `shown` large; else a null image.
QImage ExifThumbnail(const QString& path, QSize shown);

namespace msg {
// "Le fichier … n'est pas une image …", or for a picture of a format Toravi knows
// but does not read, its name and what to do.
QString NotPicture(const QString& path);
}

}  // namespace toravi
