#include "shell/appcontext.h"
#include "shell/commandline.h"
#include "shell/qtplatform.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "generate") {
        QCoreApplication app(argc, argv);
        return toravi::RunGenerateCommand(app.arguments().mid(2));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Toravi"));
    QApplication::setQuitOnLastWindowClosed(false);
    toravi::QtPlatform platform;
    toravi::AppContext ctx(platform);
    toravi::RegisterAllWindows(ctx);
    ctx.windows.show(QStringLiteral("Form3"));
    return app.exec();
}
