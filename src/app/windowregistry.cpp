#include "windowregistry.h"

#include "launcher.h"

#include "dragdrop/cutoutwindow.h"
#include "dragdrop/dragdropwindow.h"
#include "dragdrop/objectitemdialog.h"
#include "dragdrop/placeswindow.h"
#include "help/presentationwindow.h"
#include "tooltip/parameterswindow.h"
#include "tooltip/pointeditor.h"
#include "widgets/appcontext.h"
#include "widgets/windownames.h"

namespace toravi {

void RegisterAllWindows(AppContext& ctx)
{
    WindowRegistry& w = ctx.windows;
    w.registerWindow(names::kLauncher, [&ctx] { return new Launcher(ctx); });
    w.registerWindow(names::kPointEditor, [&ctx] { return new PointEditor(ctx); });
    w.registerWindow(names::kParameters, [&ctx] { return new ParametersWindow(ctx); });
    w.registerWindow(names::kDragDrop, [&ctx] { return new DragDropWindow(ctx); });
    // Beside its window: stays above it and goes with it.
    w.registerWindow(names::kObjectItem,
                     [&ctx] { return new ObjectItemDialog(ctx, ctx.windows.find(names::kDragDrop)); });
    w.registerWindow(names::kPlaces, [&ctx] { return new PlacesWindow(ctx, ctx.windows.find(names::kDragDrop)); });
    w.registerWindow(names::kCutout, [&ctx] { return new CutoutWindow(ctx, ctx.windows.find(names::kDragDrop)); });
    for (HelpModule module : {HelpModule::Tooltip, HelpModule::DragDrop})
        w.registerWindow(PresentationWindowName(module),
                         [&ctx, module] { return new PresentationWindow(ctx, module); });
}

}  // namespace toravi
