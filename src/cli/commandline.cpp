#include "commandline.h"

#include "dragdrop/dragdropmodule.h"
#include "shared/platform.h"
#include "shared/projectheader.h"
#include "shared/publish.h"
#include "shared/textfile.h"
#include "tooltip/tooltipmodule.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace toravi {

namespace {

// Answers every dialog without a person: messages go to the error stream,
// questions are answered No, dialogs are cancelled.
class ConsolePlatform : public Platform {
public:
    int messageBox(const QString& text, int flags, const QString&) override
    {
        if ((flags & MB_YESNO) && (flags & 0x70) == MB_ICONINFORMATION) {
            offered = true;
            return IDNO;
        }
        if ((flags & 0x70) == MB_ICONCRITICAL)
            refused = true;
        QString plain = text;
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        std::fprintf(stderr, "%s\n", plain.toLocal8Bit().constData());
        return (flags & MB_YESNO) ? IDNO : IDOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
    quint32 chooseColor(quint32 preset) override { return preset; }
    QString chooseFolder(const QString&) override { return {}; }
    void shellOpen(const QString&) override {}

    bool offered = false;
    bool refused = false;
};

void printError(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

const char* kUsage =
    "Utilisation : toravi generate [--module tooltip|dragdrop] [--folder DOSSIER] FICHIER_PROJET\n";

}  // namespace

int RunGenerateCommand(const QStringList& args)
{
    QString module, folder, project;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--module") && i + 1 < args.size()) {
            module = args[++i];
        } else if (a == QLatin1String("--folder") && i + 1 < args.size()) {
            folder = args[++i];
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a.startsWith(QLatin1String("--")) || !project.isEmpty()) {
            std::fputs(kUsage, stderr);
            return 2;
        } else {
            project = a;
        }
    }
    if (project.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!module.isEmpty() && module != QLatin1String("tooltip") && module != QLatin1String("dragdrop")) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    bool readable = false;
    const QStringList lines = ReadTextLines(project, &readable);
    if (!readable) {
        printError(QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(project));
        return 1;
    }
    if (module.isEmpty() && !lines.isEmpty() && lines[0] == projectheader::Generated) {
        const QString tag = lines.value(1);
        if (tag == projectheader::Interact) {
            module = QStringLiteral("tooltip");
        } else if (tag == projectheader::DragDrop) {
            module = QStringLiteral("dragdrop");
        } else {
            printError(msg::WrongModule);
            return 1;
        }
    }
    if (module.isEmpty()) {
        printError(QStringLiteral("Le fichier %1 ne dit pas de quel module il est : précisez --module tooltip ou "
                                  "--module dragdrop.")
                       .arg(project));
        return 2;
    }

    if (!folder.isEmpty()) {
        // A folder named on the command line is made when missing, as a chosen one would exist.
        folder = QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
        if (!QDir().mkpath(folder)) {
            printError(QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(folder));
            return 1;
        }
    }

    ConsolePlatform console;
    bool created = false;
    QString page;
    if (module == QLatin1String("tooltip")) {
        TooltipModule m(console);
        m.ResetProject();
        if (!m.LoadProjectFile(project, folder))
            return 1;
        m.ApplyRefreshDefaults();
        created = m.CreatePage();
        page = m.state.strPageWeb;
    } else {
        DragDropModule m(console);
        m.ResetProject();
        if (!m.LoadProjectFile(project, folder))
            return 1;
        m.Validate();  // its refusals are warnings here
        m.ApplyRefreshDefaults();
        created = m.CreatePage();
        page = m.state.strPageWeb;
    }
    if (!created || !console.offered)
        return 1;
    std::printf("%s\n", QStringLiteral("La page Web %1 a été créée.").arg(page).toLocal8Bit().constData());
    return 0;
}

}  // namespace toravi
