#include "shared/projectmodule.h"

#include "shared/platform.h"
#include "shared/projectfile.h"
#include "shared/publish.h"

namespace toravi {

ProjectModule::ProjectModule(Platform& platform, QObject* parent) : QObject(parent), platform_(platform) {}

void ProjectModule::ReinitWithQuestion()
{
    if (platform_.messageBox(msg::ResetQuestion, kConfirm, kTitle) != IDYES)
        return;
    ResetProject();
    platform_.messageBox(msg::ResetDone, kNotice, kTitle);
}

bool ProjectModule::Accept(const QString& refusal)
{
    if (refusal.isEmpty())
        return true;
    platform_.messageBox(refusal, kRefusal, kTitle);
    return false;
}

FileDialogRequest ProjectModule::ProjectDialog()
{
    return {ProgramFolder(), QStringLiteral("txt"), QStringLiteral("Fichiers texte (*.txt)|*.txt|Tous (*.*)|*.*"),
            QStringLiteral("Nom du fichier de paramètres pour ce projet")};
}

bool ProjectModule::SaveProjectAs(const QString& pageWeb, const std::function<QStringList()>& lines)
{
    if (!pageWeb.contains(QLatin1Char('.'))) {
        platform_.messageBox(msg::NoProject, kRefusal, kTitle);
        return false;
    }
    const QStringList file = lines();
    const QString path = platform_.saveFile(ProjectDialog());
    return !path.isEmpty() && WriteProjectFile(platform_, path, file);
}

}  // namespace toravi
