// libFuzzer target: any bytes as a tooltip project file.
#include "fuzz_project.h"
#include "tooltip/tooltipmodule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const QString work = fuzz::ScratchFolder("tooltip");
    const QString file = fuzz::ProjectFile("tooltip", data, size);
    toravi::ScriptedPlatform platform;
    toravi::TooltipModule m(platform);
    m.ResetProject();
    if (m.LoadProjectFile(file, work)) {
        m.ApplyRefreshDefaults();
        (void)toravi::BuildTooltipPage(m.state);
        (void)toravi::BuildInteractJs(m.state);
    }
    return 0;
}
