// The drag-and-drop module: its page byte for byte and the files written beside
// it, its objects, their places and the page's check, its help document, and
// an exercise cut out of one picture.
#include "core/modules.h"
#include "dragdrop/dragdropcutout.h"
#include "support/composed.h"

#include <algorithm>
#include <functional>

using namespace toravi;
using namespace toravi::test;

class TestDragDrop : public QObject {
    Q_OBJECT

    std::unique_ptr<Scratch> at;
    std::unique_ptr<DragDrop> d;
    DragDropModule* m = nullptr;
    QString work;

    QByteArray create()
    {
        d->platform.clear();
        d->platform.queueMessage(IDNO);
        if (!m->CreatePage())
            return "create failed";
        return ReadBytes(work + "/exercice.htm");
    }

private slots:
    // The full project of the shared core tests, with every option on.
    void init()
    {
        at = std::make_unique<Scratch>();
        d = std::make_unique<DragDrop>();
        m = &d->m;
        work = at->work;
        QVERIFY(d->load(at->project(*d)));
        m->state.strPageWeb = JoinPath(work, "exercice.htm");
    }

    void fullPage()
    {
        QCOMPARE(create(), ReadBytes(DataFolder() + "/dragdrop/full_page.htm"));  // typed from the page rows
        QCOMPARE(m->state.strConsigne, "Ligne 1<br>Ligne 2");
        QCOMPARE(ReadBytes(work + "/img/transparentpixel.gif"),
                 ReadBytes(JoinPath(ProgramFolder(), "transparentpixel.gif")));
        // ordre.js: last line "}", then exactly two empty lines; CR LF only; plain ASCII.
        const QByteArray js = ReadBytes(work + "/ordre.js");
        QVERIFY(js.endsWith("}\r\n\r\n\r\n") && !js.endsWith("\r\n\r\n\r\n\r\n"));
        QCOMPARE(js.count('\n'), js.count("\r\n"));
        QCOMPARE(js.count('\r'), js.count("\r\n"));
        QVERIFY(std::all_of(js.begin(), js.end(), [](char c) { return quint8(c) < 0x80; }));
    }

    void variants_data()
    {
        QTest::addColumn<int>("variant");
        for (int v = 0; v < 9; ++v)
            QTest::newRow(qPrintable(QString::number(v))) << v;
    }
    // Each variant's page, typed from the full page with the variant's rows changed.
    void variants()
    {
        QFETCH(int, variant);
        DragDropState& s = m->state;
        const std::function<void()> changes[] = {
            [&] { s.strBouton = "Faux"; },          // no help button
            [&] { s.strTransparence = "Vrai"; },    // transparent frame
            [&] { s.strBackgroundImage.clear(); },  // no background picture
            // No title style: the blanks stand before the brace.
            [&] { s.strTitelBold = s.strTitelItalic = s.strTitelUnderline = QString(); },
            [&] { s.strTitelBold = s.strTitelUnderline = QString(); },    // only italic
            [&] { s.strImgAlt = "Faux", s.strImgTransparent = "vrai"; },  // tooltips off, translucent while dragged
            [&] { s.objects.clear(), s.strImgAlt = "faux"; },             // no objects: only the command words
            [&] { QVERIFY(WriteBytes(work + "/img/scene.gif", "GIF8")); },  // the scene cannot be read: B is 300
            // The check, with the second object's place only; a tolerance from a hand-edited file.
            [&] { s.strVerifier = "vrai", s.strTolerance = "0015", s.objects[1].place = QPoint(300, 120); },
        };
        changes[variant]();
        QCOMPARE(create(), ReadBytes(DataFolder() + "/dragdrop/variant-" + QString::number(variant) + ".htm"));
        // The check's script only beside a page that has the check.
        QCOMPARE(QFile::exists(work + "/verifier.js"), variant == 8);
        if (variant == 8)
            QVERIFY(ReadBytes(work + "/verifier.js").startsWith("/* verifier.js - the check"));
    }

    // Objects that do not fit in what is left of the 696-pixel row start a new row.
    void rowsAndLimits()
    {
        DragDropState& s = m->state;
        for (int w : {300, 200, 800, 50})
            QVERIFY(WriteBytes(work + QString("/img/w%1.gif").arg(w), GifBytes(w, 10)));
        s.objects.clear();
        for (const char* n : {"w300.gif", "w300.gif", "w200.gif", "w800.gif", "w50.gif", "missing.gif"})
            s.objects.append({QString(), n, "t"});
        const QString page = QString::fromLatin1(create());
        QVERIFY(page.contains("\r\nSET_DHTML(CURSOR_MOVE, SCROLL, "
                              "\"objet0\"+MAXOFFLEFT+52+MAXOFFRIGHT+694+MAXOFFBOTTOM+1233, "
                              "\"objet1\"+MAXOFFLEFT+354+MAXOFFRIGHT+392+MAXOFFBOTTOM+1233, "
                              "\"objet2\"+MAXOFFLEFT+52+MAXOFFRIGHT+694+MAXOFFBOTTOM+1233, "
                              "\"objet3\"+MAXOFFLEFT+52+MAXOFFRIGHT+694+MAXOFFBOTTOM+1233, "
                              "\"objet4\"+MAXOFFLEFT+52+MAXOFFRIGHT+694+MAXOFFBOTTOM+1233, "
                              "\"objet5\"+MAXOFFLEFT+104+MAXOFFRIGHT+642+MAXOFFBOTTOM+1233);\r\n"));
        QVERIFY(page.contains("<img name=\"objet5\" src=\"img/missing.gif\" width=\"0\" height=\"0\" alt=\"t\" "
                              "title=\"t\">\r\n"));
    }

    // Quotes, apostrophes, blanks and far characters cannot break the page.
    void escaping()
    {
        DragDropState& s = m->state;
        s.strBackgroundImage = QString::fromUtf8("mon fond (1)é Ω.gif");
        s.strDocument = "Fiche d'aide.htm";
        s.strTexteBouton = "L'\"aide\"";
        s.strConsigne = "un\ndeux\rtrois\r\nquatre";
        s.strTitre = QString::fromUtf8("Ωmega");
#ifndef Q_OS_WIN  // a quote cannot stand in a Windows file name; the page escapes it all the same
        QVERIFY(WriteBytes(work + "/img/a\"b#1.gif", GifBytes(10, 10)));
#endif
        s.objects = {{QString(), "a\"b#1.gif", "Un \"grand\" & beau"}};
        const QString page = QString::fromLatin1(create());
        QVERIFY(page.contains(QString::fromUtf8("  background-image:  url(img/mon%20fond%20%281%29é%20%CE%A9.gif);\r\n")));
        QVERIFY(page.contains("onclick=\"Affich('Fiche d\\'aide.htm');\"><input type=\"button\" "
                              "value=\"L'&quot;aide&quot;\" name="));
#ifdef Q_OS_WIN
        const char* size = "width=\"0\" height=\"0\" ";
#else
        const char* size = "width=\"10\" height=\"10\" ";
#endif
        QVERIFY(page.contains(QString("<img name=\"objet0\" src=\"img/a&quot;b%231.gif\" ") + size +
                              "alt=\"Un &quot;grand&quot; &amp; beau\" title=\"Un &quot;grand&quot; &amp; beau\">"));
        QVERIFY(page.contains("\r\n               un<br>deux<br>trois<br>quatre\r\n"));
        QVERIFY(page.contains("<title>&#937;mega</title>"));
    }

    void objects()
    {
        Scratch at;
        DragDrop d;
        d.folder() = at.work;
        for (const char* name : {"chat.gif", "a.b.gif", "chat.gif"}) {
            d.platform.queueOpenFile(at.src + "/" + name);
            d.m.AddObject();
        }
        // The tooltip comes from the name up to its first dot; the same picture twice is two objects.
        QCOMPARE(d.m.state.objects.size(), 3);
        QCOMPARE(d.m.state.objects[1].tooltip, QString("a"));
        QCOMPARE(d.m.state.objects[2].tooltip, QString("chat"));
        d.platform.queueMessage(IDYES);
        QVERIFY(d.m.DeleteItem(0));
        QCOMPARE(d.m.state.objects.size(), 2);
        // The copy stays: another object uses it.
        QVERIFY(QFile::exists(at.work + "/img/chat.gif"));
    }

    // The help document named by a project file: a document beside the page, nothing else.
    void helpDocumentFromAFile()
    {
        for (auto [source, name, copied] : {std::tuple{"aide.htm", "aide.htm", true}, {"aide.htm", "ordre.js", false},
                                            {"aide.htm", "lecon.htm", false}, {"p.txt.sh", "aide.sh", false}}) {
            Scratch at;
            DragDrop m;
            QStringList body = m.body(at.src, at.work);
            WriteBytes(at.src + "/p.txt.sh", "#!/bin/sh");
            body[37 - 5] = at.src + "/" + source;
            body[38 - 5] = name;
            QVERIFY(m.load(WriteProject(at.src + "/q.txt", body)));
            QCOMPARE(m.platform.messageTexts().isEmpty(), copied);
            QCOMPARE(ReadBytes(at.work + "/" + name) == ReadBytes(at.src + "/" + source), copied);
        }
    }

    // Places and the check follow the 39 designed lines only when used; odd entries leave
    // an object unchecked, a missing tolerance is 20; a place goes with its object and
    // stays inside the shown scene.
    void dragDropPlaces()
    {
        const QStringList body = projectheader::Lines(d->moduleLine()) + d->body(at->src, work);
        QVERIFY(d->load(WriteProject(at->src + "/p.txt", body + QStringList{"120,,", "45,,", "vrai", "15"})));
        QVERIFY(d->save(at->src + "/saved.txt"));
        QCOMPARE(ReadBytes(at->src + "/saved.txt"), ReadBytes(at->src + "/p.txt"));
        m->SetCheck(false);
        QCOMPARE(d->savedLines().mid(39), QStringList({"120,,", "45,,", "faux", "15"}));

        QVERIFY(d->load(WriteProject(at->src + "/p.txt", body + QStringList{"12a,-5,", "45,7,", "oui", ""})));
        QCOMPARE(d->savedLines().size(), 39);
        QCOMPARE(ToleranceOf(m->state), 20);  // none given: 20 pixels either way, as after a reset
        d->reset();
        QCOMPARE(ToleranceOf(m->state), 20);
        QVERIFY(d->load(at->src + "/p.txt"));
        m->SetPlace(1, QPoint(900, -3));  // objects 100 x 50 and 120 x 60, scene shown 700 x 933
        m->SetPlace(0, QPoint(10, 2000));
        QCOMPARE(d->savedLines().mid(39, 2), QStringList({"10,580,", "883,0,"}));
        d->platform.queueMessage(IDYES);
        QVERIFY(m->DeleteItem(0));
        QCOMPARE(d->savedLines().mid(39, 2), QStringList({"580,", "0,"}));
        m->SetPlace(0, std::nullopt);
        QCOMPARE(d->savedLines().size(), 39);
    }
    // Cut out of one picture, the exercise is what a teacher would have made by hand:
    // the emptied scene and the objects in img (the picture untouched), each object
    // placed where it was cut, at the scale the page shows the scene, named as told,
    // the check on (saved, loaded and made into a page as any project, checked as such).
    void cutout_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("names");  // the scene's, then the objects'
        QTest::newRow("photo larger than the page") << QSize(1400, 1000) << "Photo été.jpg"
            << QStringList{"photo-ete-vide.jpg", "photo-ete-la-tasse.png", "photo-ete-crayons-stylos.png",
                           "photo-ete-la-tasse-2.png"};
        QTest::newRow("drawing smaller than the page") << QSize(500, 400) << "plan.png"
            << QStringList{"plan-vide.png", "plan-la-tasse.png", "plan-crayons-stylos.png", "plan-la-tasse-2.png"};
    }
    void cutout()
    {
        QFETCH(QSize, size);
        QFETCH(QString, file);
        QFETCH(QStringList, names);
        m->ResetProject();
        m->state.strFolderName = work;
        const Composed c = ComposePicture(size, 3, 5);
        const QString picture = JoinPath(at->src, file);
        QVERIFY(c.picture.save(picture));
        const QByteArray original = ReadBytes(picture);
        const auto src = CutoutSource::Open(picture);
        QVERIFY(src);
        const QList<CutoutObject> objects = {{"la tasse", c.masks[0]}, {"Crayons, stylos", c.masks[1]},
                                             {" la tasse ", c.masks[2]}};
        QCOMPARE(ApplyCutout(*m, picture, *src, objects, PlaceFill::Erase), QString());

        const DragDropState& s = m->state;
        QCOMPARE(ReadBytes(picture), original);
        QCOMPARE(s.strImageFile, names[0]);
        QCOMPARE(m->ShownSceneSize(), QSize(700, ShownSceneHeight(size.width(), size.height())));
        const double f = 700.0 / size.width();
        QCOMPARE(s.objects.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(s.objects[i].fileName, names[i + 1]);
            QCOMPARE(s.objects[i].tooltip, objects[i].name.trimmed());
            const QRect b = c.boxes[i];
            const QPoint place = *s.objects[i].place;
            // The object's soft edge starts a pixel before its outline.
            QVERIFY2(std::abs(place.x() - b.x() * f) <= f + 1 && std::abs(place.y() - b.y() * f) <= f + 1,
                     qPrintable(QStringLiteral("%1,%2").arg(place.x()).arg(place.y())));
            const QSize shown = m->ObjectPageSize(i);
            QVERIFY(std::abs(shown.width() - b.width() * f) <= 2 + f && std::abs(shown.height() - b.height() * f) <= 2 + f);
        }
        QVERIFY(HasCheck(s));
        QCOMPARE(s.strTolerance, "20");
    }

    // A cut-out that cannot be done says why, writes nothing and leaves the project as it was.
    void cutoutRefused_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("emptyMask");
        QTest::addColumn<QString>("message");
        QTest::newRow("no working folder") << "" << QStringList{"a"} << false << "dossier de travail";
        QTest::newRow("missing working folder") << "absent" << QStringList{"a"} << false << "n'existe pas";
        QTest::newRow("no object") << "work" << QStringList{} << false << "Aucun objet";
        QTest::newRow("object without a name") << "work" << QStringList{"a", " "} << false << "n° 2 n'a pas de nom";
        QTest::newRow("object without outline") << "work" << QStringList{"a"} << true << "« a » n'a pas de contour";
        QTest::newRow("too many objects") << "work" << QStringList(23, "a") << false << "au plus 24 objets";
    }
    void cutoutRefused()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, names);
        QFETCH(bool, emptyMask);
        QFETCH(QString, message);
        m->state.strFolderName = folder == "work" ? work : folder.isEmpty() ? QString() : JoinPath(work, folder);
        const QStringList before = d->savedLines();
        const QStringList files = QDir(work + "/img").entryList(QDir::Files);
        const CutoutSource src = CutoutSource::FromImage(ComposePicture({200, 150}, 1, 2).picture);
        QImage mask = MaskFromOutline(src.size(), QPolygonF(QRectF(10, 10, 30, 30)));
        if (emptyMask)
            mask.fill(0);
        QList<CutoutObject> objects;
        for (const QString& name : names)
            objects.append({name, mask});
        const QString refusal = ApplyCutout(*m, at->src + "/photo.png", src, objects, PlaceFill::Erase);
        QVERIFY2(refusal.contains(message), qPrintable(refusal));
        QCOMPARE(d->savedLines(), before);
        QCOMPARE(QDir(work + "/img").entryList(QDir::Files), files);
    }
};

QTEST_GUILESS_MAIN(TestDragDrop)
#include "test_dragdrop.moc"
