// The modules' own operations behind the windows' buttons: "Réinitialiser", the plain
// background, picture sizes, objects.
#include "core/modules.h"

#include <QFile>

using namespace toravi;
using namespace toravi::test;

class TestOperations : public QObject {
    Q_OBJECT

private slots:
    // "Réinitialiser" asks first; the plain colour replaces the background picture, even
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
        m->platform.queueMessage(IDYES);
        m->reinit();
        QCOMPARE(m->platform.messageTexts().last(), msg::ResetDone);
        QCOMPARE(m->platform.requests.first().flags, kConfirm);
        QVERIFY(m->reference().isEmpty() && m->folder().isEmpty());
    }

    // The point editor's frame is 733 pixels: a larger picture is taken, with a warning.
    void referenceLargerThanTheFrame_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("warning");
        QTest::newRow("fits") << 733 << 733 << "";
        QTest::newRow("too wide") << 734 << 100 << "La largeur";
        QTest::newRow("too high") << 100 << 734 << "La hauteur";
        QTest::newRow("both") << 800 << 800 << "La hauteur";
    }
    void referenceLargerThanTheFrame()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, warning);
        Scratch at;
        Tooltip t;
        t.folder() = at.work;
        WriteBytes(at.src + "/grand.png", PngBytes(width, height));
        t.platform.queueOpenFile(at.src + "/grand.png");
        t.chooseReference();
        QCOMPARE(t.m.state.strLargeur, QString::number(width));
        QCOMPARE(t.platform.messageTexts().isEmpty(), warning.isEmpty());
        if (!warning.isEmpty())
            QVERIFY(t.platform.messageTexts()[0].startsWith(warning));
        QVERIFY(QFile::exists(at.work + "/img/grand.png"));
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
};

QTEST_GUILESS_MAIN(TestOperations)
#include "test_operations.moc"
