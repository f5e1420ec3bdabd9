// libFuzzer target: any bytes as a drag-and-drop project file.
#include "dragdrop/dragdropmodule.h"
#include "fuzz_project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const QString work = fuzz::ScratchFolder("dragdrop");
    const QString file = fuzz::ProjectFile("dragdrop", data, size);
    toravi::ScriptedPlatform platform;
    toravi::DragDropModule m(platform);
    m.ResetProject();
    if (m.LoadProjectFile(file, work)) {
        m.ApplyRefreshDefaults();
        (void)toravi::DragDropProjectLines(m.state);
        (void)toravi::BuildDragDropPage(m.state);
    }
    return 0;
}
