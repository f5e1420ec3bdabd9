#include "dragdrop/dragdropmodule.h"

#include "files/files.h"
#include "files/textfile.h"
#include "pages/colors.h"
#include "pages/escaping.h"
#include "pictures/imginf.h"
#include "platform/platform.h"

#include <QFile>

namespace toravi {

namespace {

constexpr int kRowWidth = 696;

QString imgPath(const DragDropState& s, const QString& name)
{
    return JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), name);
}

// The scene is shown 700 pixels wide, so the objects reach down by its shown
// height plus 300; a scene whose size cannot be read gives 300.
int bottomLimit(const QString& scene)
{
    const PictureSize size = GetPictureSize(scene);
    return ShownSceneHeight(size.largeur.toLongLong(), size.hauteur.toLongLong()) + 300;
}

}  // namespace

QString BuildDragDropPage(DragDropState& s)
{
    const int bottom = bottomLimit(imgPath(s, s.strImageFile));

    QString objectLines;
    QStringList callParts{QStringLiteral("CURSOR_MOVE"), QStringLiteral("SCROLL")};
    if (!FitsScreen(s.strAdapter))
        callParts << QStringLiteral("NO_SCALE");
    if (s.strImgAlt != QLatin1String("vrai"))
        callParts << QStringLiteral("NO_ALT");
    if (s.strImgTransparent == QLatin1String("vrai"))
        callParts << QStringLiteral("TRANSPARENT");
    // The objects flow in a row of 696 pixels; P is the right end of the row so far.
    int p = 0;
    const bool check = HasCheck(s);
    QStringList places{QString::number(ToleranceOf(s))};
    for (int i = 0; i < s.objects.size(); ++i) {
        const DragDropObject& o = s.objects[i];
        const PictureSize size = GetPictureSize(imgPath(s, o.fileName));
        const int w = size.largeur.toInt();
        p += w + 2;
        if (p > kRowWidth)
            p = w + 2;
        const int left = p + 50 - w;
        const int right = w + kRowWidth - p;
        const QString name = QStringLiteral("objet") + QString::number(i);
        const QString tip = HtmlAttr(o.tooltip);
        objectLines += QStringLiteral("<img name=\"%1\" src=\"img/%2\" width=\"%3\" height=\"%4\" alt=\"%5\" title=\"%5\">")
                           .arg(name, HtmlAttr(UrlFileName(o.fileName)), size.largeur, size.hauteur, tip) +
                       CRLF;
        callParts << QStringLiteral("\"%1\"+MAXOFFLEFT+%2+MAXOFFRIGHT+%3+MAXOFFBOTTOM+%4")
                         .arg(name)
                         .arg(left)
                         .arg(right)
                         .arg(bottom);
        if (const auto& at = o.place)
            places << QStringLiteral("\"%1\", %2, %3").arg(name).arg(at->x()).arg(at->y());
    }

    s.strConsigne = ConsigneToBr(s.strConsigne);
    // A button without a document would open a blank window.
    const bool button = s.strBouton == QLatin1String("Vrai") && !s.strDocument.isEmpty();

    QStringList l;
    l << QString()
      << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">")
      << QStringLiteral("<html>") << QStringLiteral("<head>")
      << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />")
      << QStringLiteral("<META NAME=\"Generator\" CONTENT=\"Toravi - Générateur de page Web interactive - "
                        "Concepteur Zelmoran\" />")
      << QStringLiteral("<title>") + s.strTitre + QStringLiteral("</title>")
      << QStringLiteral("<style type=\"text/css\">") << QStringLiteral("/*<![CDATA[*/") << QStringLiteral("<!--")
      << QStringLiteral("body {");
    if (!s.strBackgroundImage.isEmpty())
        l << QStringLiteral("  background-image:  url(img/") + CssUrlFileName(s.strBackgroundImage) +
                 QStringLiteral(");");
    l << QStringLiteral("  background-color:#") + s.strBackgroundColor + QLatin1Char(';')
      << QStringLiteral("  margin: 0px;") << QStringLiteral("  padding:0px; ") << QStringLiteral("}")
      << QStringLiteral("p {") << QStringLiteral("  font-family: \"Times New Roman\", Times, Arial, serif;")
      << QStringLiteral("  font-size:") + s.strTextSize + QStringLiteral("px;")
      << QStringLiteral("  ") + s.strTextBold << QStringLiteral("  ") + s.strTextItalic
      << QStringLiteral("  ") + s.strTextUnderlined << QStringLiteral("  color:#") + s.strTextColor + QLatin1Char(';')
      << QStringLiteral("}") << QStringLiteral("#consigne {")
      << QStringLiteral("  background-color:#") + s.strTextBackColor + QLatin1Char(';')
      << QStringLiteral("  width:700px;") << QStringLiteral("}") << QStringLiteral("h2 {")
      << QStringLiteral("  font-size: ") + s.strTitelSize + QStringLiteral("px;")
      << QStringLiteral("  color: #") + s.strTitelColor + QLatin1Char(';')
      << QStringLiteral("  background: transparent;") << QStringLiteral("  margin-left: 4%;")
      << QStringLiteral("  margin-right: 4%;");
    // The blanks of a title style that is off stand in front of the next line.
    QString styles;
    styles += QStringLiteral("  ");
    if (s.strTitelBold == QLatin1String("bold"))
        styles += QStringLiteral("font-weight:bold;") + CRLF;
    styles += QStringLiteral("  ");
    if (s.strTitelItalic == QLatin1String("italic"))
        styles += QStringLiteral("font-style:italic;") + CRLF;
    styles += QStringLiteral("  ");
    if (s.strTitelUnderline == QLatin1String("underlined"))
        styles += QStringLiteral("text-decoration:underline;") + CRLF;
    l << styles + QStringLiteral("}");
    l << QStringLiteral("-->") << QStringLiteral("/*]]>*/") << QStringLiteral("</style>");
    if (button)
        l << QStringLiteral("<script language=JavaScript>") << QStringLiteral("function Affich(page) {")
          << QStringLiteral("windowprops = \"height=500,width=700,location=no,scrollbars=yes,menubars=no,"
                            "toolbars=no,resizable=yes\";")
          << QStringLiteral("window.open(page, \"Popup\", windowprops);") << QStringLiteral("}")
          << QStringLiteral("</script>");
    const QString colour = s.strTransparence == QLatin1String("Vrai")
                               ? QStringLiteral(" ")
                               : QStringLiteral(" BGCOLOR=\"#") + s.strTableColor + QStringLiteral("\" ");
    l << QStringLiteral("</head>") << QStringLiteral("<body>")
      << QStringLiteral("<script type=\"text/javascript\" src=\"ordre.js\"></script>");
    if (check)
        l << QStringLiteral("<script type=\"text/javascript\" src=\"verifier.js\"></script>");
    l << QStringLiteral("<img src=\"img/transparentpixel.gif\" alt=\"Transparent\" width=\"1\" height=\"30\">")
      << QStringLiteral("<table align=\"center\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"740\"") +
             colour + QStringLiteral("leftmargin=\"20\">")
      << QStringLiteral("  <tr>") << QStringLiteral("    <td width=\"740\" align=\"center\">")
      << QStringLiteral("    <div style=\"width: 728; height: 31\"><h2 style=\"margin-top: 0\">") + s.strAffiche +
             QStringLiteral("</h2></div>")
      << QStringLiteral("   <br>");
    if (button) {
        // The document's name sits in a script string inside an attribute.
        const QString doc = HtmlAttr(JsSingleQuoted(UrlFileName(s.strDocument)));
        l << QStringLiteral("<div align=\"center\">") << QStringLiteral("  <center>")
          << QStringLiteral("  <table border=\"0\" width=\"140\" cellspacing=\"0\" cellpadding=\"0\">")
          << QStringLiteral("    <tr>")
          << QStringLiteral("      <td width=\"200\"><a href=\"#\" onclick=\"Affich('") + doc +
                 QStringLiteral("');\"><input type=\"button\" value=\"") + HtmlAttr(s.strTexteBouton) +
                 QStringLiteral("\" name=\"FenetreTexte\" style=\"font-size: 15 px; font-weight: bold; width: 120; "
                                "text-decoration: none;\"></a>")
          << QStringLiteral("      </td>") << QStringLiteral("   </tr>") << QStringLiteral("   </table>")
          << QStringLiteral("  </center>") << QStringLiteral("</div>") << QStringLiteral("   <br>");
    }
    l << QStringLiteral("    <div id=\"consigne\">")
      << QStringLiteral("      <table border=\"1\" width=\"700\" cellspacing=\"0\" cellpadding=\"8\">")
      << QStringLiteral("   <tr>") << QStringLiteral("   <td width=\"700\">")
      << QStringLiteral("               <p align=\"justify\" style=\"margin-top: 6; margin-bottom: 4\"><font "
                        "color=\"#") +
             s.strTextColor + QStringLiteral("\">")
      << QStringLiteral("               ") + s.strConsigne << QStringLiteral("               </font>")
      << QStringLiteral("   </td>") << QStringLiteral("   </tr>") << QStringLiteral("      </table>")
      << QStringLiteral("    </div>");
    // Under the instruction: the pupil reads the task, then finds the check.
    if (check)
        l << QStringLiteral("    <div id=\"verifier\" style=\"width: 700px; margin-top: 8px\">")
          << QStringLiteral("      <button type=\"button\" id=\"boutonVerifier\" style=\"font-size: 15px; "
                            "font-weight: bold; padding: 8px 16px\">Vérifier</button>")
          << QStringLiteral("      <button type=\"button\" id=\"boutonRecommencer\" style=\"font-size: 15px; "
                            "font-weight: bold; padding: 8px 16px\">Recommencer</button>")
          << QStringLiteral("      <p id=\"resultat\" role=\"status\" aria-live=\"polite\" style=\"margin-top: "
                            "6px; margin-bottom: 0px; min-height: 1.3em; font-weight: bold\"></p>")
          << QStringLiteral("    </div>");
    l << QStringLiteral("    <p style=\"margin-top: 0; margin-bottom: 0\">&nbsp;</p>")
      << QStringLiteral("    <div align=\"center\">")
      << QStringLiteral("      <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"700\">")
      << QStringLiteral("   <tr>") << QStringLiteral("   <td width=\"696\">")
      << objectLines  // each object line ends in CR LF; the row's own line end gives the empty line
      << QStringLiteral("   </td>") << QStringLiteral("   </tr>") << QStringLiteral("      </table>")
      << QStringLiteral("    </div>") << QStringLiteral("    <div align=center style=\"width: 715; height: 900\">")
      << QStringLiteral("    <p align=\"left\">&nbsp;</p>") << QStringLiteral("    <div align=\"left\">")
      << QStringLiteral("    <table border=\"1\" cellpadding=\"0\" cellspacing=\"0\" width=\"710\">")
      << QStringLiteral("   <tr>")
      << QStringLiteral("   <td>&nbsp;<img ") + (check ? QStringLiteral("id=\"scene\" ") : QString()) +
             QStringLiteral("border=\"0\" src=\"img/") + HtmlAttr(UrlFileName(s.strImageFile)) +
             QStringLiteral("\" width=\"700\">")
      << QStringLiteral("   </td>") << QStringLiteral("   </tr>") << QStringLiteral("    </table>")
      << QStringLiteral("    </div>") << QStringLiteral("    </div>") << QStringLiteral("</table>")
      << QStringLiteral("<script type=\"text/javascript\">") << QStringLiteral("<!--")
      << QStringLiteral("SET_DHTML(") + callParts.join(QStringLiteral(", ")) + QStringLiteral(");");
    if (check)
        l << QStringLiteral("SET_PLACES(") + places.join(QStringLiteral(", ")) + QStringLiteral(");");
    l << QStringLiteral("//-->") << QStringLiteral("</script>") << QStringLiteral("</body>")
      << QStringLiteral("</html>");
    return l.join(CRLF) + CRLF;
}

namespace {

QString scriptText(const QString& resource)
{
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QString js = QString::fromLatin1(f.readAll());
    js.remove(QLatin1Char('\r'));
    while (js.endsWith(QLatin1Char('\n')))
        js.chop(1);
    js.replace(QLatin1Char('\n'), CRLF);
    // The closing brace, then one empty line; the write adds the last CR LF.
    return js + CRLF + CRLF;
}

}  // namespace

QString OrdreJsText()
{
    static const QString text = scriptText(QStringLiteral(":/toravi/ordre.js"));
    return text;
}

QString VerifierJsText()
{
    static const QString text = scriptText(QStringLiteral(":/toravi/verifier.js"));
    return text;
}

}  // namespace toravi
