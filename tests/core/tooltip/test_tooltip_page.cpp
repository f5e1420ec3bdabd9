// Page creation of the tooltip module: the page byte for byte, interact.js, and
// the refusals and failures around them.
#include "files/files.h"
#include "files/textfile.h"
#include "support/scriptedplatform.h"
#include "support/testsupport.h"
#include "tooltip/tooltipmodule.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace toravi;
using namespace toravi::test;

class TooltipPageTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;

    // Creates the page in its own folder, answering the offer.
    QByteArray create(TooltipModule& m, ScriptedPlatform& p, const QString& name, int answer = IDNO)
    {
        const QString work = tmp.filePath(name);
        QDir().mkpath(work);
        m.state.strFolderName = work;
        m.state.strPageWeb.clear();
        m.ApplyRefreshDefaults();
        p.clear();
        p.queueMessage(answer);
        if (!m.CreatePage())
            return {};
        return ReadBytes(JoinPath(work, "exercice.htm"));
    }

    QByteArray expected(const QString& name) { return ReadBytes(DataFolder() + "/tooltip/" + name); }

    static void defaults(TooltipModule& m)
    {
        m.ResetProject();
        m.state.strImageFile = "photo.png";
        m.state.strLargeur = "400";
        m.state.strHauteur = "300";
    }

private slots:
    void pagesByteForByte_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("file");
        QTest::newRow("defaults, no points") << 0 << "page-defaults.htm";
        QTest::newRow("two points, every style, background") << 1 << "page-two-points.htm";
        QTest::newRow("values that need escaping") << 2 << "page-escapes.htm";
    }
    void pagesByteForByte()
    {
        QFETCH(int, which);
        QFETCH(QString, file);
        ScriptedPlatform p;
        TooltipModule m(p);
        defaults(m);
        TooltipState& s = m.state;
        if (which == 1) {
            s.strTitre = "Les volcans";
            s.strContent = "Une description";
            s.strAffiche = "Le <i>volcan</i>";
            s.strImageFile = "volcan.gif";
            s.strLargeur = "733";
            s.strHauteur = "500";
            s.strBackgroundImage = "fond.jpg";
            s.strBackgroundColor = "102030";
            s.strBaloonBackColor = "FFFFFF";
            s.strBaloonSize = "12";
            s.strBaloonColor = "000080";
            s.strBaloonBold = "font-weight:bold;";
            s.strBaloonItalic = "font-style:italic;";
            s.strBaloonUnderlined = "text-decoration:underline;";
            s.strTitelPlacement = "right";
            s.strTitelSize = "6";
            s.strTitelColor = "FF0000";
            s.strTitelBold = "bold";
            s.strTitelItalic = "italic";
            s.strTitelUnderline = "underlined";
            s.points = {{"10", "20", "Cratère"}, {"30", "40", "Lave<br>en fusion"}};
        } else if (which == 2) {
            s.strTitre = "Ohm Ω &amp; co";
            s.strContent = "Le \"vrai\" sens";
            s.strAffiche = "Titre &#8364;uro €";
            s.strImageFile = "image \"un\" #.png";
            s.strLargeur = "640";
            s.strHauteur = "480";
            s.strBackgroundImage = "fond de page (1).jpg";
            s.strTitelPlacement = "left";
            s.points = {{"1", "6", "Il dit \"non\""}, {"2", "7", "C:\\dossier"}, {"3", "8", "</script></b>"},
                        {"4", "9", ""}, {"5", "10", "a,b"}};
        }
        QCOMPARE(create(m, p, "bytes" + QString::number(which), IDYES), expected(file));
        // The offer names the page, nothing else is said, and Yes opens it.
        QCOMPARE(p.messageTexts(), QStringList{"La page Web " + s.strPageWeb +
                                               " a été créée.\rVoulez-vous lancer le navigateur pour voir la page ?"});
        QCOMPARE(p.requests[0].flags, kOffer);
        QCOMPARE(p.requestsOf("shell").value(0).text, s.strPageWeb);
    }

    void interactJsBytes()
    {
        ScriptedPlatform p;
        TooltipModule m(p);
        defaults(m);
        m.state.strBaloonSize = "16";
        create(m, p, "script");
        // Only the size changes from one project to the next.
        QCOMPARE(ReadBytes(tmp.filePath("script/interact.js")), expected("interact-16.js"));
        m.state.strBaloonSize = "14";
        QCOMPARE(EncodeWindows1252(BuildInteractJs(m.state)).replace("largeur*14/3.8", "largeur*16/3.8") + "\r\n",
                 expected("interact-16.js"));
    }
    void oddValuesCannotStopTheScript()
    {
        TooltipState s;
        s.strHauteur = "300 px";
        s.points = {{"abc", "12", "n"}, {"-5", "7.5", "m"}};
        const QStringList page = BuildTooltipPage(s).split("\r\n");
        QCOMPARE(page[24], "var coordx= new Array (0,-5,0);");
        QCOMPARE(page[25], "var coordy= new Array (12,7.5,0);");
        QCOMPARE(page[26], "var x1=4;var y1=0;var x2=0;var y2=300;");
        QCOMPARE(page[31], "<body onLoad=\"resize(32,452);\">");
        QVERIFY(BuildInteractJs(s).contains("var Rcoordx=coordx[numobjet]-largeur*0/3.8;"));
        // A name with a line break stays on its line of the script.
        s.points = {{"1", "2", "deux\r\nlignes"}};
        QCOMPARE(BuildTooltipPage(s).split("\r\n")[23], "var noms= new Array (\"deux\\r\\nlignes\",\"\");");
    }
};

QTEST_GUILESS_MAIN(TooltipPageTest)
#include "test_tooltip_page.moc"
