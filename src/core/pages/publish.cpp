#include "pages/publish.h"

#include "files/files.h"
#include "files/textfile.h"
#include "platform/platform.h"

#include <QFileInfo>

namespace toravi {

bool IsDocumentName(const QString& name)
{
    static const QStringList kinds = {
        QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("pdf"),  QStringLiteral("odt"),
        QStringLiteral("ods"), QStringLiteral("odp"),  QStringLiteral("doc"),  QStringLiteral("docx"),
        QStringLiteral("txt"), QStringLiteral("rtf"),  QStringLiteral("png"),  QStringLiteral("jpg"),
        QStringLiteral("jpeg"), QStringLiteral("gif"), QStringLiteral("bmp")};
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && kinds.contains(name.mid(dot + 1).toLower());
}

QString PublishRefusal(const QString& folder, const QString& pageName, const QList<ProjectPicture>& pictures)
{
    QString refusal;
    if (folder.isEmpty())
        refusal = msg::NoFolder;
    else if (NamesNoPage(pageName))
        refusal = msg::ValNoPage;
    else if (!QFileInfo(folder).isDir())
        refusal = msg::NoWorkingFolder(folder);
    else
        refusal = NameClash(pictures);
    // The page links only pictures, whatever a project file may have put in img.
    for (const ProjectPicture& p : pictures) {
        const QString copy = JoinPath(JoinPath(folder, QStringLiteral("img")), p.name);
        if (refusal.isEmpty() && !p.name.isEmpty() && QFileInfo::exists(copy) && !IsPicture(copy))
            refusal = msg::NotPicture(copy);
    }
    return refusal;
}

bool PublishPage(Platform& platform, const QString& folder, const QString& pageName,
                 const QList<ProjectPicture>& pictures, const std::function<QList<PageFile>()>& build)
{
    QString refusal = PublishRefusal(folder, pageName, pictures);
    const WorkingFolderLock lock(refusal.isEmpty() ? folder : QString());
    if (lock.busy())
        refusal = msg::FolderBusy(folder);
    if (!refusal.isEmpty()) {
        platform.messageBox(refusal, kRefusal, kTitle);
        return false;
    }
    MakeImgFolder(folder);
    const QList<PageFile> files = build();
    QStringList failed;
    for (const PageFile& f : files) {
        const bool written = f.copyFrom.isEmpty() ? WriteTextFile(f.path, f.text) : CopyFileReplacing(f.copyFrom, f.path);
        if (!written)
            failed << msg::NotSaved(f.path);
    }
    if (!failed.isEmpty()) {
        platform.messageBox(failed.join(CRLF), kRefusal, kTitle);
        return false;
    }
    OfferToOpenPage(platform, files.value(0).path);
    return true;
}

void OfferToOpenPage(Platform& platform, const QString& pagePath)
{
    const QString text = msg::PageCreated(pagePath) + QLatin1Char('\r') +
                         QStringLiteral("Voulez-vous lancer le navigateur pour voir la page ?");
    if (platform.messageBox(text, kOffer, kTitle) == IDYES)
        platform.shellOpen(pagePath);
}

namespace msg {
QString PageCreated(const QString& path) { return QStringLiteral("La page Web %1 a été créée.").arg(path); }
}  // namespace msg

}  // namespace toravi
