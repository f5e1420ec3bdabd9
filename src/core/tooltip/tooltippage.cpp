#include "tooltip/tooltipmodule.h"

#include "shared/escaping.h"
#include "shared/platform.h"
#include "shared/publish.h"
#include "shared/textfile.h"

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
    QString js;
    writeLines(js, {
        // 1
        QStringLiteral("// Calques"),
        // 2
        QStringLiteral("function findObj(theObj, theDoc)"),
        QStringLiteral("{"),
        QStringLiteral("   var found=null;"),
        QStringLiteral("   if (!theDoc) theDoc=document;"),
        QStringLiteral("   if (document.getElementById) return document.getElementById(theObj);"),
        QStringLiteral("   found=theDoc[theObj];"),
        QStringLiteral("   if (!found && theDoc.all) found=theDoc.all[theObj];"),
        QStringLiteral("   for (var n=0; !found && theDoc.layers && n<theDoc.layers.length; n++)"),
        QStringLiteral("       found=findObj(theObj,theDoc.layers[n].document);"),
        QStringLiteral("   return found;"),
        QStringLiteral("}"),
        QString(),
        // 3
        QStringLiteral("function dumpobj(obj){"),
        QStringLiteral("   var texte='';"),
        QStringLiteral("   for (var prop in obj) texte+=prop+' = '+obj[prop]+'-----';"),
        QStringLiteral("   return texte;"),
        QStringLiteral("}"),
        QString(),
        // 4
        QStringLiteral("function showHideLayers()"),
        QStringLiteral("{"),
        QStringLiteral("   var args=showHideLayers.arguments;"),
        QStringLiteral("   for (var n=0; n+1<args.length; n+=2) {"),
        QStringLiteral("       var obj=findObj(args[n]);"),
        QStringLiteral("       if (!obj) continue;"),
        QStringLiteral("       var mot=args[n+1];"),
        QStringLiteral("       if (obj.style) {"),
        QStringLiteral("           obj=obj.style;"),
        QStringLiteral("           if (mot=='show') mot='visible';"),
        QStringLiteral("           else if (mot=='hide') mot='hidden';"),
        QStringLiteral("       }"),
        QStringLiteral("       obj.visibility=mot;"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 5
        QStringLiteral("function showcalq(calque){"),
        QStringLiteral("   for (var n=0; n<calq.length; n++) {"),
        QStringLiteral("       if (calq[n]==calque) showHideLayers(calq[n],'show');"),
        QStringLiteral("       else showHideLayers(calq[n],'hide');"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 6
        QStringLiteral("function setLayerTop(calque,y)"),
        QStringLiteral("{"),
        QStringLiteral("   var obj=findObj(calque);"),
        QStringLiteral("   if (obj) {"),
        QStringLiteral("       if (document.layers) obj.top = y;"),
        QStringLiteral("       else if (obj.style) obj.style.top = y+'px';"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 7
        QStringLiteral("function moveLayer(calque,x,y)"),
        QStringLiteral("{"),
        QStringLiteral("   var obj=findObj(calque);"),
        QStringLiteral("   if (obj) {"),
        QStringLiteral("       if (obj.style) obj=obj.style;"),
        QStringLiteral("       if (document.layers) {obj.top = y1+y;obj.left = x1+x;}"),
        QStringLiteral("       else {obj.top = y1+y+'px';obj.left = x1+x+'px';}"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 8
        QStringLiteral("function changeLayer(calque,txt)"),
        QStringLiteral("{"),
        QStringLiteral("   var obj=findObj(calque);"),
        QStringLiteral("   if (!obj) return;"),
        QStringLiteral("   // The text is the teacher's markup; only tags whose content a pupil would"),
        QStringLiteral("   // never see are shown as typed."),
        QStringLiteral("   txt=String(txt).replace(/<(\\/?)(script|style|title|textarea|xmp|noscript|iframe|"
                       "template|head|html|body)\\b/gi,'&lt;$1$2');"),
        QStringLiteral("   if (document.getElementById) {obj.innerHTML='';obj.innerHTML=txt;}"),
        QStringLiteral("   else if (document.all) obj.innerHTML=txt;"),
        QStringLiteral("   else if (document.layers) {"),
        QStringLiteral("       obj.document.open();"),
        QStringLiteral("       obj.document.write('<p class=\"starstxt\">'+txt+'</p>');"),
        QStringLiteral("       obj.document.close();"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 9
        QStringLiteral("var animtimeid=scrambletimeid=null;"),
        QStringLiteral("var animflag=0;"),
        QStringLiteral("var i=0;"),
        QStringLiteral("var mousx=0;mousy=0;"),
        QStringLiteral("var objet_on=besti=-2;"),
        QStringLiteral("var isOpera=(navigator.userAgent.indexOf('Opera')!=-1);"),
        QStringLiteral("var isIE=(!isOpera && navigator.userAgent.indexOf('MSIE')!=-1);"),
        QString(),
        // 10
        QStringLiteral("   // init et démarrage"),
        QStringLiteral("   animtimeid=setTimeout('periodique()',500);"),
        QString(),
        // 11
        QStringLiteral("function MouseBouge(e){"),
        QStringLiteral("   if (!e) e=window.event;"),
        QStringLiteral("   if (!e) return;"),
        QStringLiteral("   if (e.pageX || e.pageY) {"),
        QStringLiteral("       mousx=e.pageX;"),
        QStringLiteral("       mousy=e.pageY;"),
        QStringLiteral("   } else if (e.clientX || e.clientY) {"),
        QStringLiteral("       mousx=e.clientX;"),
        QStringLiteral("       mousy=e.clientY;"),
        QStringLiteral("       if (isIE) {"),
        QStringLiteral("           var de=document.documentElement;"),
        QStringLiteral("           if (de && (de.scrollLeft || de.scrollTop)) {"),
        QStringLiteral("               mousx+=de.scrollLeft;"),
        QStringLiteral("               mousy+=de.scrollTop;"),
        QStringLiteral("           } else if (document.body) {"),
        QStringLiteral("               mousx+=document.body.scrollLeft;"),
        QStringLiteral("               mousy+=document.body.scrollTop;"),
        QStringLiteral("           }"),
        QStringLiteral("       }"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // A finger on a touch screen or whiteboard counts as the mouse.
        QStringLiteral("function DoigtBouge(e){"),
        QStringLiteral("   if (e.touches && e.touches.length) MouseBouge(e.touches[0]);"),
        QStringLiteral("}"),
        QString(),
        // 12
        QStringLiteral("   if(document.layers){ //ns4"),
        QStringLiteral("       window.captureEvents(Event.MOUSEMOVE);"),
        QStringLiteral("       window.onmousemove=MouseBouge;"),
        QStringLiteral("   }else document.onmousemove=MouseBouge;"),
        QStringLiteral("   if (document.addEventListener) {"),
        QStringLiteral("       document.addEventListener('touchstart',DoigtBouge,{passive:true});"),
        QStringLiteral("       document.addEventListener('touchmove',DoigtBouge,{passive:true});"),
        QStringLiteral("   }"),
        QString(),
        // 13
        QStringLiteral("function showobjet(numobjet)"),
        QStringLiteral("{"),
        QStringLiteral("   if (numobjet!=objet_on) {"),
        QStringLiteral("       var lignes=String(noms[numobjet]).split(/<br>/g);"),
        QStringLiteral("       var largeur=0;"),
        QStringLiteral("       for (var n=0; n<lignes.length; n++)"),
        QStringLiteral("           if (lignes[n].length>largeur) largeur=lignes[n].length;"),
        QStringLiteral("       moveLayer('pointrouge',coordx[numobjet]-7,coordy[numobjet]-7);"),
        QStringLiteral("       if (findObj('nomobjet')) {"),
        QStringLiteral("           changeLayer('nomobjet',\"&nbsp;\"+noms[numobjet]);"),
        QStringLiteral("           if (largeur*7+coordx[numobjet] > x2)"),
        QStringLiteral("               var Rcoordx=x2-largeur*8;"),
        QStringLiteral("           else"),
        QStringLiteral("               var Rcoordx=coordx[numobjet]-largeur*") + scriptNumber(s.strBaloonSize) +
            QStringLiteral("/3.8;"),
        QStringLiteral("           if (coordy[numobjet] > y2-50)"),
        QStringLiteral("               var Rcoordy=coordy[numobjet]-28;"),
        QStringLiteral("           else"),
        QStringLiteral("               var Rcoordy=coordy[numobjet]+14;"),
        QStringLiteral("           moveLayer('nomobjet',Rcoordx,Rcoordy);"),
        QStringLiteral("       }"),
        QStringLiteral("       showHideLayers('pointrouge','show','nomobjet','show');"),
        QStringLiteral("       objet_on=numobjet;"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 14
        QStringLiteral("function hideobjet()"),
        QStringLiteral("{"),
        QStringLiteral("   if (objet_on!=-1) {"),
        QStringLiteral("       showHideLayers('pointrouge','hide','nomobjet','hide');"),
        QStringLiteral("       objet_on=-1;"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 15
        QStringLiteral("function periodique()"),
        QStringLiteral("{"),
        QStringLiteral("   if (!animflag++) {"),
        QStringLiteral("       if (mousx>x1 && mousx <x2 && mousy>y1 && mousy<y2){"),
        QStringLiteral("           bestdelta=9999;"),
        QStringLiteral("           for (i=0; i<coordx.length; i++) {"),
        QStringLiteral("               deltax=Math.abs(mousx-coordx[i]);"),
        QStringLiteral("               deltay=Math.abs(mousy-coordy[i]);"),
        QStringLiteral("               if (deltax+deltay < bestdelta) {bestdelta=deltax+deltay;besti=i;}"),
        QStringLiteral("           }"),
        QStringLiteral("           if (bestdelta < 16 && noms[besti]) showobjet(besti); else hideobjet();"),
        QStringLiteral("       }"),
        QStringLiteral("       animtimeid=setTimeout('periodique()',200);"),
        QStringLiteral("       animflag=0;"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 16
        QStringLiteral("function resize(w,h) {"),
        QStringLiteral("   if (parseInt(navigator.appVersion)>3) {"),
        QStringLiteral("       if (navigator.appName==\"Netscape\") {"),
        QStringLiteral("           top.outerWidth=w;"),
        QStringLiteral("           top.outerHeight=h;"),
        QStringLiteral("       }"),
        QStringLiteral("       else top.resizeTo(w,h);"),
        QStringLiteral("   }"),
        QStringLiteral("}"),
        QString(),
        // 17
        QStringLiteral("function rien(){}"),
    });
    return js;
}

}  // namespace toravi
