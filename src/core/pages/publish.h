#pragma once
// The pages room: the page-name rule and the parameters' checks (pagenames.h),
// what pages write (escaping.h), the textual forms of colours, styles and
// switches (colors.h), and here the last step of page creation that both
// modules share. Uses the pictures, files and platform rooms below it.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "pages/pagenames.h"
#include "pictures/pictures.h"

namespace toravi {

class Platform;

// Help documents: what the page may link besides pictures.
bool IsDocumentName(const QString& name);

// A file a page needs, written by the last step of page creation.
struct PageFile {
    QString path;
    QString text;            // written as text, unless `copyFrom` is set
    QString copyFrom = {};   // a file copied as it is
};
// Why a page cannot be made from this folder ("" when it can): no folder, no
// page name, a folder that does not exist, a clash of picture names, a file in
// img that is no picture.
QString PublishRefusal(const QString& folder, const QString& pageName, const QList<ProjectPicture>& pictures);
// The last step of page creation, shared by both modules: the refusals (no
// folder, no page name, a folder that does not exist, a clash of picture
// names), every file written whole or not at all and each failure reported,
// then the offer to open the page. `build` runs once the folder is checked
// and gives the files, the page first. Returns true when every file was written.
bool PublishPage(Platform& platform, const QString& folder, const QString& pageName,
                 const QList<ProjectPicture>& pictures, const std::function<QList<PageFile>()>& build);

// The completion message and the offer to open the page in the browser.
void OfferToOpenPage(Platform& platform, const QString& pagePath);

namespace msg {
inline const QString NoFolder = QStringLiteral("Le dossier de travail n'est pas défini");
QString PageCreated(const QString& path);  // first line of the offer to open the page
}  // namespace msg

}  // namespace toravi
