#include "shared/projectmodule.h"

#include "shared/platform.h"
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

}  // namespace toravi
