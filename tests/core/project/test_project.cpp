// The project room, the same in both modules: the project-file machinery (round
// trip, header rule, refusals, encodings, values checked on load), and the module
// base ("Réinitialiser", the recovery file, the history of undoable steps).
#include "core/modules.h"

#include <sys/stat.h>
#include <QFile>
#include <functional>

using namespace toravi;
using namespace toravi::test;

namespace {

// A picture no role of the project uses yet, beside its sources.
QString NewPicture(Module& m)
{
    const QString path = QFileInfo(m.reference()).path() + "/autre.gif";
    WriteBytes(path, GifBytes(50, 40));
    return path;
}

}  // namespace

class TestProject : public QObject {
    Q_OBJECT

private slots:
    // Saving writes byte for byte the file that was read; without header the values start
    // on line 1; eleven lines keep the default look; an empty file is a project with nothing
    // in it; lines past the last are ignored; UTF-8 reads as well.
    void roundTripAndShortFiles_data() { BothModules(); }
    void roundTripAndShortFiles()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = MakeModule(module);
        const QString file = at.project(*m);
        QVERIFY(m->load(file));
        QCOMPARE(m->platform.messageTexts(), QStringList());
        QVERIFY(m->save(at.src + "/saved.txt"));
        QCOMPARE(ReadBytes(at.src + "/saved.txt"), ReadBytes(file));
        QVERIFY(QFile::exists(at.work + "/img/scene.gif") && QFile::exists(at.work + "/img/fond.gif"));

        const QStringList body = m->body(at.src, at.work);
        QVERIFY(m->load(WriteProject(at.src + "/court.txt", body.mid(0, 11))));
        const QStringList court = m->savedLines();
        QCOMPARE(m->reference(), JoinPath(at.src, "scene.gif"));
        m->reset();
        const QStringList defaults = m->savedLines();
        QCOMPARE(court.mid(15), defaults.mid(15));
        QVERIFY(m->load(WriteProject(at.src + "/vide.txt", {})));
        QCOMPARE(m->savedLines(), defaults);
        QVERIFY(m->load(WriteProject(at.src + "/long.txt", body + QStringList{"en trop", "encore"})));
        QCOMPARE(m->savedLines().size(), body.size() + 4);
        // Saved again by a text editor as UTF-8, with or without BOM, it reads the same.
        QStringList lines = projectheader::Lines(m->moduleLine()) + body;
        lines[8] = QString::fromUtf8("Été à l'île");
        const QByteArray utf8 = lines.join("\r\n").toUtf8();
        for (const QByteArray& bytes : {QByteArray("\xEF\xBB\xBF") + utf8, utf8}) {
            WriteBytes(at.src + "/utf8.txt", bytes);
            m->reset();
            QVERIFY(m->load(at.src + "/utf8.txt"));
            QCOMPARE(m->savedLines()[8], QString::fromUtf8("Été à l'île"));
            QCOMPARE(m->reference(), JoinPath(at.src, "scene.gif"));
        }
    }

    void refusedFilesKeepTheProject_data()
    {
#ifdef Q_OS_WIN
        const bool kPipeUnseen = true;  // a pipe is no file on Windows: it cannot be read, like a missing one
#else
        const bool kPipeUnseen = false;
#endif
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        for (const char* module : {"tooltip", "dragdrop"})
            for (const char* kind : {"missing", "folder", "pipe", "NUL byte", "far too large", "other module"})
                QTest::addRow("%s %s", module, kind)
                    << module << kind
                    << (kind == QLatin1String("missing") || (kind == QLatin1String("pipe") && kPipeUnseen)
                            ? "n'a pas pu être lu"
                        : kind == QLatin1String("other module") ? "Ce fichier ne semble pas avoir été enregistré par"
                                                                : "n'est pas un projet Toravi");
    }
    void refusedFilesKeepTheProject()
    {
        QFETCH(QString, module);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        Scratch at;
        auto m = MakeModule(module);
        QVERIFY(m->load(at.project(*m)));
        const QStringList before = m->savedLines();
        m->platform.clear();
        QString path = at.src + "/refus.txt";
        if (kind == "folder")
            QDir().mkpath(path);
        else if (kind == "pipe")
            path = MakePipe(at.src);  // must not wait for a writer
        else if (kind == "NUL byte")
            WriteBytes(path, QByteArray("titre\r\n") + '\0' + "\r\n");
        else if (kind == "far too large")
            WriteBytes(path, QByteArray(17 * 1024 * 1024, '\n'));
        else if (kind == "other module")
            WriteProject(path, {"<Généré par Toravi 2>", module == "tooltip" ? "<Module Drag&Drop>" : "<Module Interact>"});
        QVERIFY(!m->load(path));
        QCOMPARE(m->platform.messageTexts().size(), 1);
        QVERIFY2(m->platform.messageTexts()[0].contains(message), qPrintable(m->platform.messageTexts()[0]));
        QCOMPARE(m->platform.requests[0].flags, kRefusal);
        QCOMPARE(m->savedLines(), before);
    }

    // Values that carry no markup are checked: an odd one takes its reset value.
    void valuesCheckedOnLoad_data() { BothModules(); }
    void valuesCheckedOnLoad()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = MakeModule(module);
        m->reset();
        const QStringList defaults = m->savedLines();
        QStringList body = m->body(at.src, at.work);
        body[8 - 5] = ".bashrc";                                   // line 8: no page name left
        body[12 - 5] = "..\\..\\evil.png";                         // line 12: a name inside img
        body[13 - 5] = "12px";                                     // line 13: a number
        body[19 - 5] = "red\"><script>alert(1)</script>";        // line 19: a colour in both
        body[20 - 5] = "</style><script>alert(1)</script>";      // line 20: a word in both
        QVERIFY(m->load(WriteProject(at.src + "/p.txt", body)));
        m->refreshDefaults();
        const QStringList saved = m->savedLines();
        QCOMPARE(saved[7], JoinPath(at.work, "exercice.htm"));
        QCOMPARE(saved[11], QString("evil.png"));
        QCOMPARE(saved[12], QString("300"));  // not a number; and the copy's own size wins
        QCOMPARE(saved[18], defaults[18]);
        QCOMPARE(saved[19], defaults[19]);
        // A loaded page name follows the page-name rule; sources are read relative to the
        // project file, and another folder takes the project's place.
        body[8 - 5] = "C:\\Mes documents\\notes.txt";
        body[0] = "scene.gif";
        body[1] = "..\\src\\fond.gif";
        const QString other = at.tmp.filePath("ailleurs");
        QDir().mkpath(other);
        QVERIFY(m->load(WriteProject(at.src + "/p.txt", body), other));
        QCOMPARE(m->page(), JoinPath(other, "notes.htm"));
        QCOMPARE(m->reference(), QDir::toNativeSeparators(at.src + "/scene.gif"));
        QVERIFY(QFile::exists(other + "/img/evil.png") && QFile::exists(other + "/img/fond.gif"));
    }

    // "Adapter la page à l'écran": without its line a project fits and is saved without it;
    // "faux" after the lines the file has today keeps the designed size, comes back byte for
    // byte, and the page learns it (interact.js's switch; NO_SCALE in the drag-and-drop call).
    void fittingLine_data() { BothModules(); }
    void fittingLine()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = MakeModule(module);
        const QStringList designed = projectheader::Lines(m->moduleLine()) + m->body(at.src, at.work);
        const QStringList places = module == "dragdrop" ? QStringList{",,", ",,", "faux", "20"} : QStringList();
        const QString file = at.src + "/p.txt", page = at.work + "/lecon.htm";
        QByteArray fitted;
        for (const QString word : {"vrai", "faux", "Faux", ""}) {
            QVERIFY(m->load(WriteProject(file, designed + places + QStringList{word})) && m->save(at.src + "/saved.txt"));
            m->platform.queueMessage(IDNO);
            QVERIFY(m->create());
            const bool keep = word == "faux";
            QCOMPARE(ReadBytes(at.src + "/saved.txt"), keep ? ReadBytes(file) : ReadBytes(WriteProject(file, designed)));
            QCOMPARE(ReadBytes(at.work + "/" + m->script()).contains("var adapterPage=false;"), keep && module == "tooltip");
            QCOMPARE(ReadBytes(page).contains("SCROLL, NO_SCALE, "), keep && module == "dragdrop");
            fitted = fitted.isEmpty() ? ReadBytes(page) : fitted;
            QCOMPARE(ReadBytes(page) == fitted, !keep || module == "tooltip");
        }
    }

    // "Réinitialiser" asks first (whether to save, once changed); the plain colour replaces the background picture, even
    // when the colour dialog is cancelled.
    void reinitAndPlainBackground_data() { BothModules(); }
    void reinitAndPlainBackground()
    {
        QFETCH(QString, module);
        Scratch at;
        auto m = MakeModule(module);
        QVERIFY(m->load(at.project(*m)));
        const QStringList loaded = m->savedLines();
        m->platform.queueMessage(IDNO);
        m->reinit();
        QCOMPARE(m->savedLines(), loaded);
        m->platform.queueColor(std::nullopt);
        m->plainBackground();
        QVERIFY(m->background().isEmpty() && m->backgroundName().isEmpty());
        m->platform.queueMessage(IDNO);  // changed since loaded: not saved, then reset
        m->reinit();
        QCOMPARE(m->platform.messageTexts().last(), msg::ResetDone);
        QCOMPARE(m->platform.requests.first().flags, kConfirm);
        QVERIFY(m->reference().isEmpty() && m->folder().isEmpty());
    }

    // Every kind of step, in both modules: undone, the project saves byte for byte as it was
    // saved before, nothing is unsaved and the recovery file is gone; redone, it is the same
    // as after the step, and a save takes the recovery file away. Moves by the keys in a row,
    // typing in a field, are one step.
    void everyStepUndoes()
    {
        using Step = std::function<void(Module&)>;
        auto tooltip = [](Module& m) -> TooltipModule& { return static_cast<Tooltip&>(m).m; };
        auto dragdrop = [](Module& m) -> DragDropModule& { return static_cast<DragDrop&>(m).m; };
        const QList<std::tuple<const char*, Step>> both = {
            {"parameter",
             [](Module& m) {
                 for (const char* title : {"Au", "Autre"})
                     m.ops().Change(
                         "titre", [&] { m.title() = title; }, 7);
             }},
            {"plain background", [](Module& m) { m.ops().Change("fond", [&] { m.plainBackground(); }); }},
            {"reference picture",
             [](Module& m) {
                 m.platform.queueOpenFile(NewPicture(m));
                 m.ops().Change("image", [&] { m.chooseReference(); });
             }},
            {"typing",
             [](Module& m) {
                 for (const char* typed : {"A", "Au", "Aut"}) {
                     m.ops().Typing("titre");
                     m.title() = typed;
                 }
                 m.ops().EndTyping();
             }},
            {"reset",
             [](Module& m) {
                 m.platform.queueMessage(IDYES);
                 m.reinit();
             }},
            {"load",
             [](Module& m) {
                 const QString file = WriteProject(QFileInfo(m.reference()).path() + "/court.txt", {"a.gif"});
                 m.ops().Replace("charger", [&] { m.load(file); });
             }},
        };
        const QList<std::tuple<const char*, const char*, Step>> own = {
            {"tooltip", "add point", [&](Module& m) { tooltip(m).AddPoint(5, 7, "Le moulin"); }},
            {"tooltip", "drag point", [&](Module& m) { tooltip(m).MovePoint(0, 30, 56); }},
            {"tooltip", "nudge point",
             [&](Module& m) {
                 tooltip(m).MovePoint(1, 41, 46, true);
                 tooltip(m).MovePoint(1, 41, 56, true);
             }},
            {"tooltip", "rename point", [&](Module& m) { tooltip(m).RenamePoint(1, "La forêt"); }},
            {"tooltip", "delete point", [&](Module& m) { tooltip(m).DeletePoint(0); }},
            {"dragdrop", "add object",
             [](Module& m) {
                 m.platform.queueOpenFile(NewPicture(m));
                 m.ops().Change("objet", [&] { static_cast<DragDrop&>(m).m.AddObject(); });
             }},
            {"dragdrop", "rename object", [&](Module& m) { dragdrop(m).ModifyItem(1, "Le chien"); }},
            {"dragdrop", "delete object",
             [&](Module& m) {
                 m.platform.queueMessage(IDYES);
                 dragdrop(m).DeleteItem(0);
             }},
            {"dragdrop", "place", [&](Module& m) { dragdrop(m).SetPlace(1, QPoint(10, 20)); }},
            {"dragdrop", "nudge place",
             [&](Module& m) {
                 dragdrop(m).SetPlace(0, QPoint(10, 20), true);
                 dragdrop(m).SetPlace(0, QPoint(11, 20), true);
             }},
            {"dragdrop", "check", [&](Module& m) { dragdrop(m).SetCheck(true); }},
            {"dragdrop", "check within a step",
             [&](Module& m) {
                 m.ops().Change("vérifier", [&] {
                     dragdrop(m).SetCheck(true);
                     dragdrop(m).SetTolerance(30);
                 });
             }},
        };
        QList<std::tuple<QString, QString, Step>> steps;
        for (const char* module : {"tooltip", "dragdrop"})
            for (const auto& [what, step] : both)
                steps.append({module, what, step});
        for (const auto& [module, what, step] : own)
            steps.append({module, what, step});

        for (const auto& [module, what, step] : steps) {
            const QByteArray where = (module + " " + what).toUtf8();
            Scratch at;
            auto m = MakeModule(module);
            QVERIFY(m->load(at.project(*m)));
            m->ops().SetRecoveryFolder(at.tmp.filePath("recovery"));
            m->ops().StartWithRecovery();
            QVERIFY(m->save(at.src + "/saved.txt"));
            const QStringList before = m->ops().CurrentProjectLines();
            step(*m);
            const QStringList after = m->ops().CurrentProjectLines();
            QVERIFY2(m->ops().History().count() == 1 && after != before, where);
            m->ops().KeepRecovery();
            m->ops().Undo();
            QVERIFY2(!m->ops().HasUnsavedChanges() && !QFileInfo::exists(m->ops().RecoveryPath()), where);
            QVERIFY(m->save(at.src + "/undone.txt"));
            QVERIFY2(ReadBytes(at.src + "/undone.txt") == ReadBytes(at.src + "/saved.txt"), where);
            m->ops().Redo();
            QVERIFY2(m->ops().CurrentProjectLines() == after, where);
            m->ops().KeepRecovery();
            QVERIFY2(QFileInfo::exists(m->ops().RecoveryPath()) == m->ops().HasUnsavedChanges(), where);
            if (m->save(at.src + "/redone.txt"))  // some steps leave no page name to save under
                QVERIFY2(!QFileInfo::exists(m->ops().RecoveryPath()), where);
        }
    }
};

QTEST_GUILESS_MAIN(TestProject)
#include "test_project.moc"
