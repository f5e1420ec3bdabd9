#include "commandline.h"
#include "widgets/appcontext.h"
#include "widgets/qtplatform.h"
#include "windowregistry.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // --help, --version and generate need no display.
    if (const std::optional<int> code = toravi::RunCommandLine(argc, argv))
        return *code;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Toravi"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/toravi/toravi.png")));
    toravi::LoadQtTranslations(app);
    toravi::QtPlatform platform;
    toravi::AppContext ctx(platform);
    toravi::RegisterAllWindows(ctx);
    ctx.windows.show(QStringLiteral("Form3"));
    return app.exec();
}
