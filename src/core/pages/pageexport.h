#pragma once
// Pages that travel, the same for both modules: one file that works alone
// (scripts inline, pictures as data: addresses) and a SCORM 1.2 package for a
// learning platform (a zip with its manifest and the script that reports the
// pupil's result). Both start from the files the module writes for its folder
// page, and neither touches the working folder.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "pages/publish.h"
#include "platform/platform.h"

namespace toravi {

enum class PageExport { SingleFile, Scorm };

// The page's files as the module would write them into `folder` (the page
// first), with reduced copies of the pictures larger than their place when
// `reduce`; pictures are read from folder/img.
using PageFilesBuilder = std::function<QList<PageFile>(const QString& folder, bool reduce)>;

// Above this size the teacher is asked before the file is written.
inline constexpr qint64 kHeavyExportBytes = 10 * 1024 * 1024;

// Writes the export `kind` of the page to `target` ("" does nothing): the
// refusals of page creation, a question when the file would pass 10 MB
// (offering reduced copies when they make it lighter), the file written whole
// or not at all, then the offer to open it. True when the file was written.
bool ExportPage(Platform& platform, PageExport kind, const QString& target, const QString& folder,
                const QString& pageName, const QList<ProjectPicture>& pictures, const PageFilesBuilder& build);

// The export's bytes, from the page files built for `folder`. Pictures the page
// names and the files do not give are read from folder/img, then from `otherFolder`/img.
QByteArray ExportBytes(PageExport kind, const QString& folder, const QList<PageFile>& files,
                       const QString& otherFolder = QString());

// The save dialog of an export, opened in the working folder.
FileDialogRequest ExportDialog(PageExport kind, const QString& folder);

namespace msg {
QString ExportIsFolderPage(const QString& path);
}

}  // namespace toravi
