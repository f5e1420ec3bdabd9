#include "tooltip/tooltipmodule.h"

#include "files/textfile.h"
#include "pages/colors.h"
#include "pages/escaping.h"
#include "platform/platform.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

namespace toravi {

namespace {

// The leading whole number of a text, 0 when there is none ("400" -> 400, " 12px" -> 12).
long long leadingNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([+-]?\\d+)"));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}

// A number written into the page's script: kept as it stands when it is one,
// otherwise its leading number, so that an odd value cannot stop the script.
QString scriptNumber(const QString& text)
{
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    return plain.match(text).hasMatch() ? text : QString::number(leadingNumber(text));
}

// Inside a double-quoted script string.
QString scriptString(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('"'))
            out += QLatin1String("\\\"");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('/') && i > 0 && text[i - 1] == QLatin1Char('<'))
            out += QLatin1String("\\/");
        else
            out += c;
    }
    return out;
}

// Inside a double-quoted attribute.
QString attribute(QString text) { return text.replace(QLatin1Char('"'), QLatin1String("&quot;")); }

// A file name inside a url(...) of the style sheet. Characters that end or
// garble the url, and those the page's code page cannot hold, are percent-encoded.
QString cssUrlName(const QString& name)
{
    static const QString special = QStringLiteral(" \t\"'()\\%#?");
    QString out;
    const auto ucs4 = name.toUcs4();
    for (char32_t cp : ucs4) {
        const QString ch = QString::fromUcs4(&cp, 1);
        if (special.contains(ch) || !IsWindows1252(cp) || cp < 0x20)
            out += QString::fromLatin1(QUrl::toPercentEncoding(ch));
        else
            out += ch;
    }
    return out;
}

void writeLines(QString& out, std::initializer_list<QString> lines)
{
    for (const QString& l : lines)
        out += l + CRLF;
}

}  // namespace

QString BuildTooltipPage(const TooltipState& s)
{
    QString names, xs, ys;
    for (const TooltipPoint& p : s.points) {
        names += QLatin1Char('"') + scriptString(p.name) + QStringLiteral("\",");
        xs += scriptNumber(p.x) + QLatin1Char(',');
        ys += scriptNumber(p.y) + QLatin1Char(',');
    }
    const QString w = QString::number(leadingNumber(s.strLargeur) + 32);
    const QString h = QString::number(leadingNumber(s.strHauteur) + 152);

    const bool bold = s.strTitelBold == QLatin1String("bold");
    const bool italic = s.strTitelItalic == QLatin1String("italic");
    const bool underline = s.strTitelUnderline == QLatin1String("underlined");
    const QString b1 = bold ? QStringLiteral("<b>") : QString(), b2 = bold ? QStringLiteral("</b>") : QString();
    const QString i1 = italic ? QStringLiteral("<i>") : QString(), i2 = italic ? QStringLiteral("</i>") : QString();
    const QString u1 = underline ? QStringLiteral("<u>") : QString(),
                  u2 = underline ? QStringLiteral("</u>") : QString();
    const QString background = s.strBackgroundImage.isEmpty()
                                   ? QString()
                                   : QStringLiteral("background-image:url(img/") + cssUrlName(s.strBackgroundImage) +
                                         QStringLiteral(");");

    QString page;
    writeLines(page, {
        QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">"
                       "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"fr\" xml:lang=\"fr\">"),
        QStringLiteral("<head>"),
        QStringLiteral("<title>") + s.strTitre + QStringLiteral("</title>"),
        QStringLiteral("<meta name=\"Description\" content=\"") + attribute(s.strContent) + QStringLiteral("\" />"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />"),
        QStringLiteral("<meta http-equiv=\"imagetoolbar\" content=\"no\" />"),
        QStringLiteral("<META NAME=\"Generator\" CONTENT=\"Toravi - Générateur de page Web interactive - "
                       "Concepteur Zelmoran\" />"),
        QStringLiteral("<script src=\"interact.js\" type=\"text/javascript\"></script>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("/*<![CDATA[*/"),
        QStringLiteral("<!--"),
        QStringLiteral("body {") + background + QStringLiteral("background-color:#") + s.strBackgroundColor +
            QStringLiteral(";}"),
        QStringLiteral("p{font-family: Arial,\"Times New Roman\", Times, serif;font-size:12px;}"),
        QStringLiteral("#objetref{position:absolute;z-index:1;left:4px;top:4px;}"),
        QStringLiteral("#pointrouge,#nomobjet{position:absolute;left:250px;top:450px;z-index:2;visibility:hidden;}"),
        QStringLiteral("#nomobjet{background-color:#") + s.strBaloonBackColor +
            QStringLiteral(";font-family: \"Times New Roman\", Times, Arial, serif;font-size:") + s.strBaloonSize +
            QStringLiteral("px;") + s.strBaloonBold + s.strBaloonItalic + s.strBaloonUnderlined +
            QStringLiteral("line-height:") + s.strBaloonSize +
            QStringLiteral("px;padding-left:3px;padding-right:8px;color:#") + s.strBaloonColor + QStringLiteral(";}"),
        QStringLiteral("#Titel {opacity: 1;z-index: 2; position: absolute; width: ") + s.strLargeur +
            QStringLiteral("px; height: 50px; top: 10px; left: 5px; text-align: left;}"),
        QStringLiteral("-->"),
        QStringLiteral("/*]]>*/"),
        QStringLiteral("</style>"),
        QStringLiteral("<script type=\"text/javascript\">"),
        QStringLiteral("//<![CDATA["),
        QStringLiteral("<!--"),
        QStringLiteral("var noms= new Array (") + names + QStringLiteral("\"\");"),
        QStringLiteral("var coordx= new Array (") + xs + QStringLiteral("0);"),
        QStringLiteral("var coordy= new Array (") + ys + QStringLiteral("0);"),
        QStringLiteral("var x1=4;var y1=0;var x2=") + scriptNumber(s.strLargeur) + QStringLiteral(";var y2=") +
            scriptNumber(s.strHauteur) + QStringLiteral(";"),
        QStringLiteral("//-->"),
        QStringLiteral("//]]>"),
        QStringLiteral("</script>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body onLoad=\"resize(") + w + QLatin1Char(',') + h + QStringLiteral(");\">"),
        QStringLiteral("<div id=\"Titel\">"),
        QStringLiteral("    <table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("      <tr>"),
        QStringLiteral("        <td width=\"100%\">"),
        QStringLiteral("    <p align=") + s.strTitelPlacement + QLatin1Char('>') + b1 + i1 + u1 +
            QStringLiteral("<font face=\"Times New Roman\"; color=\"#") + attribute(s.strTitelColor) +
            QStringLiteral("\"; size=") + s.strTitelSize + QLatin1Char('>') + s.strAffiche +
            QStringLiteral("</font>") + u2 + i2 + b2 + QStringLiteral("</p>"),
        QStringLiteral("      </tr>"),
        QStringLiteral("    </table>"),
        QStringLiteral("</div>"),
        QStringLiteral("<div id=\"objetref\"><img src=\"img/") + attribute(UrlFileName(s.strImageFile)) + QStringLiteral("\" />"),
        QStringLiteral("</div>"),
        QStringLiteral("<div id=\"pointrouge\"><img src=\"img/ptrouge.gif\" width=\"16\" height=\"16\" alt=\"\" /></div>"),
        QStringLiteral("<div id=\"nomobjet\">nom</div>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    });
    return page;
}

QString BuildInteractJs(const TooltipState& s)
{
    // The script is the same for every project but for the tooltip size.
    static const QString text = [] {
        QFile f(QStringLiteral(":/toravi/interact.js"));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        QString js = QString::fromUtf8(f.readAll());
        js.remove(QLatin1Char('\r'));
        js.replace(QLatin1Char('\n'), CRLF);
        return js;
    }();
    QString js = text;
    js.replace(QStringLiteral("@adapterPage@"),
               FitsScreen(s.strAdapter) ? QStringLiteral("true") : QStringLiteral("false"));
    return js.replace(QStringLiteral("@strBaloonSize@"), scriptNumber(s.strBaloonSize));
}

}  // namespace toravi
