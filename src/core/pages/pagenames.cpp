#include "pages/pagenames.h"

#include "files/files.h"

#include <QFileInfo>

namespace toravi {

QString PageBaseName(const QString& name) { return LastComponent(name).section(QLatin1Char('.'), 0, 0); }

QString PageFileName(const QString& name)
{
    const QString base = PageBaseName(name);
    return base.trimmed().isEmpty() ? QString() : base + QStringLiteral(".htm");
}

bool NamesNoPage(const QString& pagePath) { return PageFileName(pagePath).isEmpty(); }

QString ValidationRefusal(const QString& folder, const QString& picture, const QString& pagePath,
                          const QString& title)
{
    if (folder.isEmpty())
        return msg::ValNoFolder;
    if (picture.isEmpty())
        return msg::ValNoImage;
    if (NamesNoPage(pagePath))
        return msg::ValNoPage;
    if (title.isEmpty())
        return msg::ValNoTitle;
    // A typed folder that does not exist would take no picture and no page.
    if (!QFileInfo(folder).isDir())
        return msg::NoWorkingFolder(folder);
    return {};
}

void RefreshPagePath(QString& pageWeb, QString& fileName, const QString& folder)
{
    if (pageWeb.isEmpty())
        pageWeb = QStringLiteral("exercice.htm");
    fileName = LastComponent(pageWeb);
    if (!folder.isEmpty())
        pageWeb = JoinPath(folder, fileName);
}

void SetTypedPageName(QString& pageWeb, const QString& folder, const QString& typed)
{
    if (!folder.isEmpty())
        pageWeb = JoinPath(folder, PageBaseName(typed) + QStringLiteral(".htm"));
}

}  // namespace toravi
