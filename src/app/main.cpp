#include "widgets/appcontext.h"
#include "windowregistry.h"
#include "commandline.h"
#include "widgets/qtplatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "generate") {
        QCoreApplication app(argc, argv);
        return toravi::RunGenerateCommand(app.arguments().mid(2));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Toravi"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/toravi/toravi.png")));
    toravi::QtPlatform platform;
    toravi::AppContext ctx(platform);
    toravi::RegisterAllWindows(ctx);
    ctx.windows.show(QStringLiteral("Form3"));
    return app.exec();
}
