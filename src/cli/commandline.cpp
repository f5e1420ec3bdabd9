#include "commandline.h"
#include "console.h"

#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "pages/pageexport.h"
#include "pages/publish.h"
#include "platform/platform.h"
#include "project/projectfile.h"
#include "tooltip/tooltipmodule.h"
#include "toravi_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace toravi {

namespace {

// Names come from project files that may come from anyone: no control
// character reaches the terminal raw.
void print(std::FILE* stream, QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (QChar& c : text)
        if ((c.category() == QChar::Other_Control && c != QLatin1Char('\n')) || c == QChar(0x2028) ||
            c == QChar(0x2029))
            c = QLatin1Char('?');
    WriteText(stream, text + QLatin1Char('\n'));
}

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
        print(stderr, text);
        return ((flags & MB_YESNO) || (flags & 0xF) == MB_YESNOCANCEL) ? IDNO : IDOK;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
    quint32 chooseColor(quint32 preset) override { return preset; }
    QString chooseFolder(const QString&) override { return {}; }
    void shellOpen(const QString&) override {}

    bool offered = false;
};

const char* kUsage = "Utilisation : toravi generate [--module tooltip|dragdrop] [--folder DOSSIER] [--reduce]\n"
                     "                             [--single-file FICHIER.htm] [--scorm FICHIER.zip] FICHIER_PROJET\n";

int usageError()
{
    WriteText(stderr, QString::fromUtf8(kUsage));
    return 2;
}

// The working folder of a run, for its lock: the one given, or the project's
// own (both modules keep it on the same line).
QString runFolder(const ProjectText& text, const QString& given)
{
    if (!given.isEmpty())
        return given;
    return text.lines.value((text.hasHeader() ? kHeaderLines : 0) + kFolderLine - kFirstValueLine);
}

// What one run writes: the folder page, or the exports named (PageExport -> file).
using Exports = QList<std::pair<PageExport, QString>>;

bool generate(ProjectModule& m, const QString& project, const QString& folder, bool validate, bool reduce,
              const Exports& exports)
{
    m.ResetProject();
    if (!m.LoadProjectFile(project, folder))
        return false;
    if (reduce)
        m.ReducePictures();
    if (validate)
        m.Validate();  // its refusals are warnings here
    m.ApplyRefreshDefaults();
    if (exports.isEmpty())
        return m.CreatePage();
    for (const auto& [kind, file] : exports)
        if (!m.ExportPage(kind, file))
            return false;
    return true;
}

}  // namespace

void LoadQtTranslations(QCoreApplication& app)
{
    // Dates and names in Qt's dialogs too.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* qt = new QTranslator(&app);
    // Qt's own folder, then windeployqt's beside the program, then the copy built
    // into the Windows program.
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                               QStringLiteral(":/translations")};
    for (const QString& folder : folders)
        if (qt->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(qt);
            return;
        }
}

std::optional<int> RunCommandLine(int argc, char* argv[])
{
    bool ours = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        // Qt's own options (-platform, -style…) take one dash and go to the windows.
        if (a == "generate" || a.startsWith("--") || a == "-h" || a == "-v")
            ours = true;
    }
    if (!ours)
        return std::nullopt;
    AttachParentConsole();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("toravi"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORAVI_VERSION));
    LoadQtTranslations(app);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("generate"))
        return RunGenerateCommand(args.mid(2));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Toravi 2 : des pages Web d'exercices interactifs à partir de vos images.\n"
                       "Sans argument, ouvre la fenêtre d'accueil.\n\n"
                       "toravi generate [--module tooltip|dragdrop] [--folder DOSSIER] [--reduce]\n"
                       "                [--single-file FICHIER.htm] [--scorm FICHIER.zip] FICHIER_PROJET\n"
                       "  crée la page d'un projet enregistré, sans fenêtre ; --reduce y met une copie réduite\n"
                       "  de chaque image plus grande que sa place dans la page.\n"
                       "  --single-file FICHIER.htm : la page en un seul fichier, images et scripts compris ;\n"
                       "  --scorm FICHIER.zip : un paquet SCORM 1.2 pour la plateforme de l'établissement.\n"
                       "  Avec l'une ou l'autre, la page du dossier de travail n'est pas écrite."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version."));
    parser.addOptions({help, version});
    if (!parser.parse(args) || !parser.positionalArguments().isEmpty()) {
        print(stderr, parser.errorText());
        return usageError();
    }
    if (parser.isSet(version)) {
        WriteText(stdout, QStringLiteral("toravi " TORAVI_VERSION "\n"));
        return 0;
    }
    WriteText(stdout, parser.helpText());
    return 0;
}

int RunGenerateCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption moduleOption(QStringLiteral("module"), QString(), QStringLiteral("module"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dossier"));
    const QCommandLineOption reduceOption(QStringLiteral("reduce"));
    const QCommandLineOption singleOption(QStringLiteral("single-file"), QString(), QStringLiteral("fichier"));
    const QCommandLineOption scormOption(QStringLiteral("scorm"), QString(), QStringLiteral("fichier"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({moduleOption, folderOption, reduceOption, singleOption, scormOption, help});
    if (!parser.parse(QStringList{QStringLiteral("generate")} + args))
        return usageError();
    if (parser.isSet(help)) {
        WriteText(stdout, QString::fromUtf8(kUsage));
        return 0;
    }
    QString module = parser.value(moduleOption);
    QString folder = parser.value(folderOption);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 ||
        (!module.isEmpty() && module != QLatin1String("tooltip") && module != QLatin1String("dragdrop")))
        return usageError();
    const QString project = files[0];

    const ProjectText text = ReadProjectText(project);
    if (!text.refusal.isEmpty()) {
        print(stderr, text.refusal);
        return 1;
    }
    if (module.isEmpty() && text.hasHeader()) {
        if (text.moduleLine() == projectheader::Interact) {
            module = QStringLiteral("tooltip");
        } else if (text.moduleLine() == projectheader::DragDrop) {
            module = QStringLiteral("dragdrop");
        } else {
            print(stderr, msg::WrongModule);
            return 1;
        }
    }
    if (module.isEmpty()) {
        print(stderr, QStringLiteral("Le fichier %1 ne dit pas de quel module il est : précisez --module tooltip ou "
                                     "--module dragdrop.")
                          .arg(project));
        return 2;
    }

    if (!folder.isEmpty()) {
        // A folder named on the command line is made when missing (once the
        // project is accepted), as a chosen one would exist.
        folder = QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
        if (!QDir().mkpath(folder)) {
            print(stderr, QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(folder));
            return 1;
        }
    }
    // One run at a time in a folder, from the first copy to the last write.
    const QString where = runFolder(text, folder);
    const WorkingFolderLock lock(where);
    if (lock.busy()) {
        print(stderr, msg::FolderBusy(where));
        return 1;
    }

    Exports exports;
    for (const auto& [option, kind] : {std::pair{&singleOption, PageExport::SingleFile}, {&scormOption, PageExport::Scorm}})
        for (const QString& file : parser.values(*option))
            exports.append({kind, QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())});

    ConsolePlatform console;
    bool created = false;
    QString page, work;
    QList<ProjectPicture> pictures;
    if (module == QLatin1String("tooltip")) {
        TooltipModule m(console);
        created = generate(m, project, folder, false, parser.isSet(reduceOption), exports);
        page = m.state.strPageWeb, work = m.state.strFolderName, pictures = m.Pictures();
    } else {
        DragDropModule m(console);
        created = generate(m, project, folder, true, parser.isSet(reduceOption), exports);
        page = m.state.strPageWeb, work = m.state.strFolderName, pictures = m.Pictures();
    }
    if (!created || !console.offered)
        return 1;
    // The windows warn and go on; a script must not take a page without its pictures for a success.
    if (const QStringList missing = MissingCopies(work, pictures); !missing.isEmpty()) {
        print(stderr, QStringLiteral("Il manque à la page %1 ces images, qui n'ont pas pu être copiées : %2.")
                          .arg(page, missing.join(QStringLiteral(", "))));
        return 1;
    }
    if (exports.isEmpty())
        print(stdout, msg::PageCreated(page));
    for (const auto& [kind, file] : exports)
        print(stdout, QStringLiteral("Le fichier %1 a été créé.").arg(file));
    return 0;
}

}  // namespace toravi
