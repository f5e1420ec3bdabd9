#include "windowregistry.h"

#include "widgets/appcontext.h"

namespace toravi {

void RegisterAllWindows(AppContext& ctx)
{
    RegisterLauncher(ctx);
    RegisterTooltipWindows(ctx);
    RegisterDragDropWindows(ctx);
    RegisterPresentationWindows(ctx);
}

}  // namespace toravi
