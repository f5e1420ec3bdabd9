// "Découper les objets" driven like a teacher: the picture chosen, outlines drawn
// with the mouse on the canvas, names typed, OK or Annuler.
#include "gui/windowfixture.h"

#include "dragdrop/cutoutwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QPainter>
#include <QSpinBox>

using namespace toravi;
using namespace toravi::test;
using namespace toravi::names;

namespace {

// The scene the tests cut: a red ball, a flat blue book, a green roof, on a plain wall.
const QRect kBook(220, 30, 80, 60);
const QPoint kBallCentre(100, 110);
constexpr int kBallRadius = 45;
const QPolygonF kRoof({QPointF(250, 250), QPointF(350, 250), QPointF(300, 170)});

QImage Scene()
{
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(QColor(235, 225, 200));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.fillRect(kBook, QColor(30, 60, 200));
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(210, 30, 30));
    p.drawEllipse(QPointF(kBallCentre), kBallRadius, kBallRadius);
    p.setBrush(QColor(40, 160, 60));
    p.drawPolygon(kRoof);
    return img;
}

struct CutoutFixture : WindowFixture {
    CutoutFixture() : WindowFixture(kDragDrop)
    {
        platform.queueFolder(scratch.path());
        click(kDragDrop, "INT_cmdstrFolderName");
        QDir().mkpath(source(QString()));
        Scene().save(source("bureau.png"));
    }
    CutoutWindow* window() const { return qobject_cast<CutoutWindow*>(ctx.windows.find(kCutout)); }
    CutoutCanvas* canvas() const { return window()->Canvas(); }
    QWidget* viewport() const { return canvas()->viewport(); }
    QPoint at(QPointF pixel) const { return canvas()->viewportPoint(pixel); }

    // The button beside "Ajouter un objet", the picture dialog answered with `picture`.
    bool open(const QString& picture)
    {
        platform.queueOpenFile(picture);
        click(kDragDrop, "cmdDecouper");
        return window() && settled();
    }
    bool settled() const { return QTest::qWaitFor([this] { return !window()->Busy(); }, 20000); }
    void tool(const char* name) { in<QAbstractButton>(kCutout, name)->click(); }
    // The left button held along `points`.
    void trace(const QPolygonF& points)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, at(points.first()));
        for (qsizetype k = 1; k < points.size(); ++k)
            for (int i = 1; i <= 8; ++i)
                QTest::mouseMove(viewport(), at(points[k - 1] + (points[k] - points[k - 1]) * i / 8.0));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, at(points.last()));
    }
    bool box(const QString& name, QRectF r)
    {
        tool("optCadre");
        platform.queueInput(name);
        trace({r.topLeft(), r.bottomRight()});
        return settled();
    }
    bool wand(const QString& name, QPointF p)
    {
        tool("optBaguette");
        platform.queueInput(name);
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(p));
        return settled();
    }
    bool polygon(const QString& name, const QPolygonF& corners)
    {
        tool("optPolygone");
        platform.queueInput(name);
        for (QPointF c : corners)
            QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(c));
        QTest::keyClick(canvas(), Qt::Key_Return);
        return settled();
    }
    void select(int row) { in<QListWidget>(kCutout, "lstObjets")->setCurrentRow(row); }
    QStringList names() const { return entries(kCutout, {"lstObjets"}); }
    QStringList imgFiles() const { return QDir(scratch.filePath("img")).entryList(QDir::Files, QDir::Name); }
};

bool Near(QPoint a, QPointF b, double by) { return std::abs(a.x() - b.x()) <= by && std::abs(a.y() - b.y()) <= by; }

}  // namespace

class TestCutout : public QObject {
    Q_OBJECT
private slots:
    // Three tools, a rename, a deletion with Suppr, a fill: OK fills the project as if done by hand.
    void outlinesBecomeTheExercise()
    {
        CutoutFixture f;
        const QStringList before = f.ctx.dragdrop.CurrentProjectLines();
        QVERIFY(f.open(f.source("bureau.png")));
        QVERIFY(f.window()->isModal());
        QVERIFY(f.box(QStringLiteral("ballon"), QRectF(40, 50, 120, 120)));
        QVERIFY(f.wand(QStringLiteral("livre"), QPointF(260, 60)));
        QVERIFY(f.polygon(QStringLiteral("toit"), kRoof));
        QVERIFY(f.box(QStringLiteral("erreur"), QRectF(230, 150, 140, 120)));
        QCOMPARE(f.names(), QStringList({"ballon", "livre", "toit", "erreur"}));
        QVERIFY(Near(f.window()->OutlineBounds(0).topLeft(), kBallCentre - QPoint(kBallRadius, kBallRadius), 4));
        QVERIFY(Near(f.window()->OutlineBounds(1).topLeft(), kBook.topLeft(), 0));
        QCOMPARE(f.window()->OutlineBounds(1).size(), kBook.size());
        QVERIFY(Near(f.window()->OutlineBounds(2).topLeft(), QPointF(250, 170), 1));

        // A name prompt answered with nothing draws nothing.
        QVERIFY(f.box(QString(), QRectF(300, 100, 60, 40)));
        QCOMPARE(f.window()->OutlineCount(), 4);

        f.select(0);
        f.platform.queueInput(QStringLiteral("balle"));
        f.click(kCutout, "cmdRenommer");
        f.select(3);
        f.platform.queueMessage(IDNO);
        QTest::keyClick(f.in(kCutout, "lstObjets"), Qt::Key_Delete);
        QCOMPARE(f.window()->OutlineCount(), 4);
        f.platform.queueMessage(IDYES);
        QTest::keyClick(f.in(kCutout, "lstObjets"), Qt::Key_Delete);
        QCOMPARE(f.names(), QStringList({"balle", "livre", "toit"}));

        // "couleur unie" in green, shown at once where the book was.
        f.tool("optCouleurUnie");
        f.platform.queueColor(0x0000FF00);
        f.click(kCutout, "cmdCouleurPlace");
        QVERIFY(f.settled());
        const QImage preview = f.window()->ScenePreview();
        QVERIFY(!preview.isNull());
        const QRgb shown = preview.pixel(preview.width() * 260 / 400, preview.height() * 60 / 300);
        QVERIFY2(qGreen(shown) > 200 && qBlue(shown) < 60, qPrintable(QString::number(shown, 16)));

        f.click(kCutout, "cmdOK");
        QTRY_VERIFY_WITH_TIMEOUT(!f.window(), 20000);
        // Where each place lies and what is written is the module's concern, checked there.
        const DragDropState& s = f.ctx.dragdrop.state;
        QCOMPARE(f.tooltips(), QStringList({"balle", "livre", "toit"}));
        QVERIFY(!s.strImageFile.isEmpty() && HasCheck(s));
        for (const DragDropObject& o : s.objects)
            QVERIFY2(o.place.has_value(), qPrintable(o.tooltip));
        QVERIFY(f.in<QPushButton>(kDragDrop, "cmdAjoutImage")->isEnabled());

        // The whole cut-out is one step back, and forth again.
        const QStringList after = f.ctx.dragdrop.CurrentProjectLines();
        f.in<QAction>(kDragDrop, "mnuAnnuler")->trigger();
        QCOMPARE(f.ctx.dragdrop.CurrentProjectLines(), before);
        f.in<QAction>(kDragDrop, "mnuRetablir")->trigger();
        QCOMPARE(f.ctx.dragdrop.CurrentProjectLines(), after);
    }

    // A redrawn outline keeps its name without a new prompt; strokes correct the chosen outline.
    void redrawAndCorrect()
    {
        CutoutFixture f;
        QVERIFY(f.open(f.source("bureau.png")));
        QVERIFY(f.wand(QStringLiteral("livre"), QPointF(260, 60)));
        const int prompts = int(f.platform.requestsOf("input").size());
        f.click(kCutout, "cmdRedessiner");
        f.tool("optMainLevee");
        f.trace({QPointF(60, 200), QPointF(160, 200), QPointF(160, 280), QPointF(60, 280)});
        f.trace({QPointF(40, 40), QPointF(40, 40)});  // nothing: too small to be an outline
        QVERIFY(f.settled());
        QCOMPARE(f.platform.requestsOf("input").size(), prompts);
        QCOMPARE(f.names(), QStringList({"livre"}));
        QVERIFY(!f.window()->OutlineBounds(0).intersects(kBook));

        // The polygon again, then "Enlever" across its left corner: the object starts further right.
        f.click(kCutout, "cmdRedessiner");
        f.tool("optPolygone");
        for (QPointF c : {QPointF(50, 50), QPointF(150, 50), QPointF(150, 150), QPointF(50, 150)})
            QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.at(c));
        QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, f.at(QPointF(50, 150)));
        QVERIFY(f.settled());
        QVERIFY(Near(f.window()->OutlineBounds(0).topLeft(), QPointF(50, 50), 1));
        // A click that draws nothing chooses the outline under it.
        QVERIFY(f.wand(QStringLiteral("livre"), QPointF(260, 60)));
        f.tool("optCadre");
        QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.at(QPointF(100, 100)));
        QCOMPARE(f.in<QListWidget>(kCutout, "lstObjets")->currentRow(), 0);
        f.tool("optEnlever");
        const double half = f.canvas()->strokeWidth() / 2;
        f.trace({QPointF(52, 30), QPointF(52, 170)});
        QVERIFY(f.settled());
        QVERIFY2(f.window()->OutlineBounds(0).left() >= 52 + half - 2,
                 qPrintable(QString::number(f.window()->OutlineBounds(0).left())));
        f.tool("optGarder");
        f.trace({QPointF(180, 100), QPointF(200, 100)});
        QVERIFY(f.settled());
        QVERIFY(f.window()->OutlineBounds(0).right() >= 200);

        // The wand's tolerance follows the chosen wand outline.
        QVERIFY(f.wand(QStringLiteral("mur"), QPointF(10, 10)));
        const QRect wall = f.window()->OutlineBounds(2);
        QCOMPARE(wall.topLeft(), QPoint(0, 0));
        f.in<QSpinBox>(kCutout, "txtToleranceBaguette")->setValue(255);
        QVERIFY(f.settled());
        QCOMPARE(f.window()->OutlineBounds(2), QRect(0, 0, 400, 300));
    }

    // Objects already in the project stay beside the cut ones, or give way to them; Annuler goes back.
    void objectsAlreadyThere_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("tooltips");
        QTest::newRow("Oui") << int(IDYES) << QStringList({"a", "b", "livre"});
        QTest::newRow("Non") << int(IDNO) << QStringList({"livre"});
        QTest::newRow("Annuler") << int(IDCANCEL) << QStringList({"a", "b"});
    }
    void objectsAlreadyThere()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, tooltips);
        CutoutFixture f;
        f.ready(kDragDrop);
        f.addObjects(2);
        QVERIFY(f.open(f.source("bureau.png")));
        QVERIFY(f.wand(QStringLiteral("livre"), QPointF(260, 60)));
        f.platform.queueMessage(answer);
        f.click(kCutout, "cmdOK");
        if (answer == IDCANCEL)
            QVERIFY(f.window() && !f.window()->Busy());
        else
            QTRY_VERIFY_WITH_TIMEOUT(!f.window(), 20000);
        QCOMPARE(f.tooltips(), tooltips);
        QCOMPARE(f.ctx.dragdrop.state.objects.last().place.has_value(), answer != IDCANCEL);
    }

    // Annuler, once agreed, leaves the project and the working folder as they were.
    void cancelChangesNothing()
    {
        CutoutFixture f;
        const QStringList before = f.ctx.dragdrop.CurrentProjectLines();
        const QStringList files = f.imgFiles();
        QVERIFY(f.open(f.source("bureau.png")));
        QVERIFY(f.box(QStringLiteral("ballon"), QRectF(40, 50, 120, 120)));
        f.platform.queueMessage(IDNO);
        f.click(kCutout, "cmdAnnuler");
        QVERIFY(f.window() && f.window()->isVisible());
        f.platform.queueMessage(IDYES);
        QTest::keyClick(f.window(), Qt::Key_Escape);
        WindowFixture::settle();
        QVERIFY(!f.window());
        QCOMPARE(f.ctx.dragdrop.CurrentProjectLines(), before);
        QCOMPARE(f.imgFiles(), files);
    }

    // A file that is no picture: a French message naming it, nothing drawn, the window still there.
    void notAPicture()
    {
        CutoutFixture f;
        WriteBytes(f.source("photo.jpg"), QByteArray("ceci n'est pas une image", 24));
        QVERIFY(f.open(f.source("photo.jpg")));
        const QList<ScriptedPlatform::Request> refusals = f.platform.requestsOf("message");
        QCOMPARE(refusals.size(), 1);
        QVERIFY2(refusals[0].text.contains("photo.jpg"), qPrintable(refusals[0].text));
        QCOMPARE(refusals[0].flags, kRefusal);
        QVERIFY(!f.canvas()->hasPicture());
        QVERIFY(!f.in<QAbstractButton>(kCutout, "cmdOK")->isEnabled());
        // OK is refused in words, not by a crash.
        f.platform.clear();
        QVERIFY(!f.window()->Apply());
        QCOMPARE(f.platform.requestsOf("message").size(), 1);
        // A real picture afterwards opens as usual.
        f.platform.queueOpenFile(f.source("bureau.png"));
        f.click(kCutout, "cmdChoisirImage");
        QVERIFY(f.settled());
        QCOMPARE(f.canvas()->fullSize(), QSize(400, 300));
    }

    // The wheel zooms around the pointer; "Ajuster à la fenêtre" brings the whole picture back.
    void zoom()
    {
        CutoutFixture f;
        QVERIFY(f.open(f.source("bureau.png")));
        const double fit = f.canvas()->zoom();
        auto wheel = [&f](QPoint pointer) {
            QWheelEvent e(pointer, f.viewport()->mapToGlobal(pointer), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
            QApplication::sendEvent(f.viewport(), &e);
        };
        wheel(f.at(QPointF(100, 110)));
        QVERIFY(f.canvas()->zoom() > fit * 1.3);
        // Once the picture outgrows the view, the pixel under the pointer stays there.
        const QPoint pointer = f.at(QPointF(100, 110));
        wheel(pointer);
        QVERIFY((f.at(QPointF(100, 110)) - pointer).manhattanLength() <= 2);
        f.click(kCutout, "cmdAjuster");
        QCOMPARE(f.canvas()->zoom(), fit);
    }
};

QTEST_MAIN(TestCutout)
#include "test_cutout.moc"
