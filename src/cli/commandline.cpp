#include "commandline.h"
#include "console.h"

#include "dragdrop/dragdropcutout.h"
#include "dragdrop/dragdropmodule.h"
#include "files/files.h"
#include "pages/pageexport.h"
#include "pages/pagenames.h"
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
#include <QPolygonF>
#include <QRegularExpression>
#include <QTranslator>
#include <cmath>
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
    // The project file named on the command line, for the module's own save.
    QString saveFile(const FileDialogRequest&) override { return saveTarget; }
    quint32 chooseColor(quint32 preset) override { return preset; }
    QString chooseFolder(const QString&) override { return {}; }
    void shellOpen(const QString&) override {}

    bool offered = false;
    QString saveTarget;
};

const char* kUsage = "Utilisation : toravi generate [--module tooltip|dragdrop] [--folder DOSSIER] [--reduce]\n"
                     "                             [--single-file FICHIER.htm] [--scorm FICHIER.zip] FICHIER_PROJET\n";

const char* kCutoutUsage =
    "Utilisation : toravi cutout [--folder DOSSIER] [--fill erase|silhouette|colour] [--colour RRGGBB]\n"
    "                           --project FICHIER_PROJET IMAGE OBJET...\n"
    "  OBJET : \"NOM=box:x,y,l,h\", \"NOM=wand:x,y\" ou \"NOM=outline:x1,y1;x2,y2;...\"\n";

int usageError(const char* usage = kUsage)
{
    WriteText(stderr, QString::fromUtf8(usage));
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
        if (a == "generate" || a == "cutout" || a.startsWith("--") || a == "-h" || a == "-v")
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
    if (args.value(1) == QLatin1String("cutout"))
        return RunCutoutCommand(args.mid(2));

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
                       "  Avec l'une ou l'autre, la page du dossier de travail n'est pas écrite.\n\n"
                       "toravi cutout [--folder DOSSIER] [--fill erase|silhouette|colour] [--colour RRGGBB]\n"
                       "              --project FICHIER_PROJET IMAGE OBJET...\n"
                       "  découpe des objets dans une image pour un exercice de glisser-déplacer : la scène vidée\n"
                       "  et une image par objet dans le dossier img, le projet enregistré (créé, ou complété\n"
                       "  s'il existe) avec la place de chaque objet et la vérification ; toravi generate\n"
                       "  FICHIER_PROJET fait ensuite la page. Chaque OBJET, en pixels de l'image :\n"
                       "  \"NOM=box:x,y,l,h\" (l'objet trouvé dans ce cadre), \"NOM=wand:x,y\" (la zone de\n"
                       "  couleur voisine du point ; \"NOM=wand:x,y,tolérance\" de 0 à 255) ou\n"
                       "  \"NOM=outline:x1,y1;x2,y2;...\" (le contour tracé). --fill : la place vide effacée\n"
                       "  (erase, par défaut), en silhouette ou d'une couleur unie (colour), de --colour."));
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

namespace {

// One OBJET of the cutout command, read but not yet cut.
struct ObjectArgument {
    QString text;  // as written, for the messages
    QString name;
    QString tool;
    QList<double> numbers;
};

// Numbers separated by `separator`; nothing when one does not read.
std::optional<QList<double>> readNumbers(const QString& text, QChar separator)
{
    QList<double> numbers;
    for (const QString& piece : text.split(separator)) {
        bool ok = false;
        numbers << piece.trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return numbers;
}

// The object as the command line gives it, or the refusal that names it.
QString readObject(const QString& text, ObjectArgument* given)
{
    given->text = text;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    given->name = equals < 0 ? QString() : text.left(equals).trimmed();
    if (given->name.isEmpty())
        return QStringLiteral("L'objet « %1 » n'a pas de nom : écrivez-le NOM=box:x,y,l,h, NOM=wand:x,y ou "
                              "NOM=outline:x1,y1;x2,y2;...")
            .arg(text);
    const QString rest = text.mid(equals + 1);
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    given->tool = rest.left(colon).trimmed();
    const QString values = colon < 0 ? QString() : rest.mid(colon + 1).trimmed();
    if (given->tool != QLatin1String("box") && given->tool != QLatin1String("wand") &&
        given->tool != QLatin1String("outline"))
        return QStringLiteral("L'outil « %1 » de l'objet « %2 » n'est pas connu : box, wand ou outline.")
            .arg(given->tool, given->name);
    if (given->tool == QLatin1String("outline")) {
        QStringList points = values.split(QLatin1Char(';'));
        while (!points.isEmpty() && points.last().trimmed().isEmpty())
            points.removeLast();
        if (values.isEmpty() || points.size() < 3)
            return QStringLiteral("Le contour de l'objet « %1 » est vide : il faut au moins trois points "
                                  "x1,y1;x2,y2;x3,y3.")
                .arg(given->name);
        for (const QString& point : points) {
            const auto xy = readNumbers(point, QLatin1Char(','));
            if (!xy || xy->size() != 2)
                return QStringLiteral("Le point « %1 » du contour de l'objet « %2 » ne se lit pas : il faut x,y.")
                    .arg(point, given->name);
            given->numbers << *xy;
        }
        return {};
    }
    const bool box = given->tool == QLatin1String("box");
    const auto numbers = readNumbers(values, QLatin1Char(','));
    const bool counted = numbers && (box ? numbers->size() == 4 : numbers->size() == 2 || numbers->size() == 3);
    if (!counted)
        return QStringLiteral("Les valeurs « %1 » de l'objet « %2 » ne se lisent pas : il faut %3.")
            .arg(values, given->name, box ? QStringLiteral("x,y,l,h") : QStringLiteral("x,y"));
    given->numbers = *numbers;
    return {};
}

// The object's outline in the picture, or the refusal that names it.
QString cutMask(const CutoutSource& src, const ObjectArgument& given, QImage* mask)
{
    const QSize size = src.size();
    const QString picture = QStringLiteral("%1 × %2 pixels").arg(size.width()).arg(size.height());
    const QList<double>& n = given.numbers;
    if (given.tool == QLatin1String("box")) {
        const QRectF box(n[0], n[1], n[2], n[3]);
        if (n[2] < 2 || n[3] < 2 || !QRectF(QPointF(0, 0), size).contains(box))
            return QStringLiteral("Le cadre de l'objet « %1 » (%2) sort de l'image (%3) ou n'a pas de taille.")
                .arg(given.name, given.text.mid(given.text.indexOf(QLatin1Char(':')) + 1), picture);
        *mask = MaskFromBox(src, box.toRect());
        if (mask->isNull())
            return QStringLiteral("Aucun objet n'a été trouvé dans le cadre de l'objet « %1 » : entourez-le d'un "
                                  "contour (outline).")
                .arg(given.name);
    } else if (given.tool == QLatin1String("wand")) {
        const QPoint at(int(std::floor(n[0])), int(std::floor(n[1])));
        if (!QRect(QPoint(0, 0), size).contains(at))
            return QStringLiteral("Le clic de l'objet « %1 » (%2,%3) est hors de l'image (%4).")
                .arg(given.name)
                .arg(n[0])
                .arg(n[1])
                .arg(picture);
        if (n.size() == 3 && (n[2] < 0 || n[2] > 255))
            return QStringLiteral("La tolérance de l'objet « %1 » va de 0 à 255.").arg(given.name);
        *mask = MaskFromWand(src, at, n.size() == 3 ? int(n[2]) : kDefaultWandTolerance);
    } else {
        QPolygonF outline;
        for (qsizetype i = 0; i + 1 < n.size(); i += 2)
            outline << QPointF(n[i], n[i + 1]);
        *mask = MaskFromOutline(size, outline);
        if (mask->isNull())
            return QStringLiteral("Le contour de l'objet « %1 » n'entoure aucun pixel de l'image (%2).")
                .arg(given.name, picture);
    }
    return {};
}

}  // namespace

int RunCutoutCommand(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dossier"));
    const QCommandLineOption fillOption(QStringLiteral("fill"), QString(), QStringLiteral("place"));
    const QCommandLineOption colourOption(QStringLiteral("colour"), QString(), QStringLiteral("couleur"));
    const QCommandLineOption projectOption(QStringLiteral("project"), QString(), QStringLiteral("projet"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({folderOption, fillOption, colourOption, projectOption, help});
    if (!parser.parse(QStringList{QStringLiteral("cutout")} + args)) {
        print(stderr, parser.errorText());
        return usageError(kCutoutUsage);
    }
    if (parser.isSet(help)) {
        WriteText(stdout, QString::fromUtf8(kCutoutUsage));
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (!parser.isSet(projectOption) || positional.size() < 2)
        return usageError(kCutoutUsage);

    // Everything is checked before anything is written.
    auto refuse = [](const QString& text) {
        print(stderr, text);
        return 1;
    };
    const QString fillText = parser.isSet(fillOption) ? parser.value(fillOption) : QStringLiteral("erase");
    const QStringList fills = {QStringLiteral("erase"), QStringLiteral("silhouette"), QStringLiteral("colour")};
    if (!fills.contains(fillText))
        return refuse(QStringLiteral("La place vide « %1 » (--fill) n'est pas connue : erase, silhouette ou colour.")
                          .arg(fillText));
    const PlaceFill fill = fillText == fills[0] ? PlaceFill::Erase
                           : fillText == fills[1] ? PlaceFill::Silhouette
                                                  : PlaceFill::Colour;
    QColor colour = kDefaultPlaceColour;
    if (parser.isSet(colourOption)) {
        static const QRegularExpression hex(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
        const QString value = parser.value(colourOption);
        if (!hex.match(value).hasMatch())
            return refuse(QStringLiteral("La couleur « %1 » (--colour) ne se lit pas : six chiffres hexadécimaux, "
                                         "comme 808080.")
                              .arg(value));
        colour = QColor(QLatin1Char('#') + value.right(6));
    }
    const QString project = QDir::toNativeSeparators(QFileInfo(parser.value(projectOption)).absoluteFilePath());
    const QString picture = QDir::toNativeSeparators(QFileInfo(positional[0]).absoluteFilePath());
    QList<ObjectArgument> asked;
    for (const QString& text : positional.mid(1)) {
        ObjectArgument given;
        if (const QString refusal = readObject(text, &given); !refusal.isEmpty())
            return refuse(refusal);
        asked << given;
    }
    const bool existing = QFileInfo(project).exists();
    if (existing) {
        const ProjectText text = ReadProjectText(project);
        if (!text.refusal.isEmpty())
            return refuse(text.refusal);
        if (text.hasHeader() && text.moduleLine() != projectheader::DragDrop)
            return refuse(msg::WrongModule);
    }
    QString error;
    const std::optional<CutoutSource> src = CutoutSource::Open(picture, &error);
    if (!src)
        return refuse(error);
    QList<CutoutObject> objects;
    for (const ObjectArgument& given : asked) {
        QImage mask;
        if (const QString refusal = cutMask(*src, given, &mask); !refusal.isEmpty())
            return refuse(refusal);
        objects.append({given.name, mask});
    }
    if (const int most = DragDropState{}.intMaxObjets + 1; objects.size() > most)
        return refuse(QStringLiteral("Un exercice a au plus %1 objets : la commande en découpe %2.")
                          .arg(most)
                          .arg(objects.size()));
    QString folder = parser.value(folderOption);
    if (folder.isEmpty() && !existing)
        return refuse(QStringLiteral("Le projet %1 n'existe pas encore : précisez son dossier de travail avec --folder.")
                          .arg(project));

    if (!folder.isEmpty()) {
        folder = QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
        if (!QDir().mkpath(folder))
            return refuse(QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(folder));
    }
    ConsolePlatform console;
    DragDropModule m(console);
    m.ResetProject();
    if (existing && !m.LoadProjectFile(project, folder))
        return 1;
    if (!existing) {
        m.state.strFolderName = folder;
        m.SetPageName(PageBaseName(project));
    }
    const WorkingFolderLock lock(m.state.strFolderName);
    if (lock.busy())
        return refuse(msg::FolderBusy(m.state.strFolderName));
    if (const QString refusal = ApplyCutout(m, picture, *src, objects, fill, colour); !refusal.isEmpty())
        return refuse(refusal);
    m.ApplyRefreshDefaults();
    console.saveTarget = project;
    if (!m.SaveProject())
        return 1;
    print(stdout, QStringLiteral("Le projet %1 a été enregistré : %2 découpé%3 dans %4.")
                      .arg(project)
                      .arg(objects.size() == 1 ? QStringLiteral("1 objet") : QStringLiteral("%1 objets").arg(objects.size()))
                      .arg(objects.size() == 1 ? QString() : QStringLiteral("s"))
                      .arg(JoinPath(m.state.strFolderName, QStringLiteral("img"))));
    return 0;
}

}  // namespace toravi
