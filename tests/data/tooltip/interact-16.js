// Calques
function findObj(theObj, theDoc)
{
   var found=null;
   if (!theDoc) theDoc=document;
   if (document.getElementById) return document.getElementById(theObj);
   found=theDoc[theObj];
   if (!found && theDoc.all) found=theDoc.all[theObj];
   for (var n=0; !found && theDoc.layers && n<theDoc.layers.length; n++)
       found=findObj(theObj,theDoc.layers[n].document);
   return found;
}

function dumpobj(obj){
   var texte='';
   for (var prop in obj) texte+=prop+' = '+obj[prop]+'-----';
   return texte;
}

function showHideLayers()
{
   var args=showHideLayers.arguments;
   for (var n=0; n+1<args.length; n+=2) {
       var obj=findObj(args[n]);
       if (!obj) continue;
       var mot=args[n+1];
       if (obj.style) {
           obj=obj.style;
           if (mot=='show') mot='visible';
           else if (mot=='hide') mot='hidden';
       }
       obj.visibility=mot;
   }
}

function showcalq(calque){
   for (var n=0; n<calq.length; n++) {
       if (calq[n]==calque) showHideLayers(calq[n],'show');
       else showHideLayers(calq[n],'hide');
   }
}

function setLayerTop(calque,y)
{
   var obj=findObj(calque);
   if (obj) {
       if (document.layers) obj.top = y;
       else if (obj.style) obj.style.top = y+'px';
   }
}

function moveLayer(calque,x,y)
{
   var obj=findObj(calque);
   if (obj) {
       if (obj.style) obj=obj.style;
       if (document.layers) {obj.top = y1+y;obj.left = x1+x;}
       else {obj.top = y1+y+'px';obj.left = x1+x+'px';}
   }
}

function changeLayer(calque,txt)
{
   var obj=findObj(calque);
   if (!obj) return;
   // The text is the teacher's markup; only tags whose content a pupil would
   // never see are shown as typed.
   txt=String(txt).replace(/<(\/?)(script|style|title|textarea|xmp|noscript|iframe|template|head|html|body)\b/gi,'&lt;$1$2');
   if (document.getElementById) {obj.innerHTML='';obj.innerHTML=txt;}
   else if (document.all) obj.innerHTML=txt;
   else if (document.layers) {
       obj.document.open();
       obj.document.write('<p class="starstxt">'+txt+'</p>');
       obj.document.close();
   }
}

var animtimeid=scrambletimeid=null;
var animflag=0;
var i=0;
var mousx=0;mousy=0;
var objet_on=besti=-2;
var isOpera=(navigator.userAgent.indexOf('Opera')!=-1);
var isIE=(!isOpera && navigator.userAgent.indexOf('MSIE')!=-1);

   // init et démarrage
   animtimeid=setTimeout('periodique()',500);

function MouseBouge(e){
   if (!e) e=window.event;
   if (!e) return;
   if (e.pageX || e.pageY) {
       mousx=e.pageX;
       mousy=e.pageY;
   } else if (e.clientX || e.clientY) {
       mousx=e.clientX;
       mousy=e.clientY;
       if (isIE) {
           var de=document.documentElement;
           if (de && (de.scrollLeft || de.scrollTop)) {
               mousx+=de.scrollLeft;
               mousy+=de.scrollTop;
           } else if (document.body) {
               mousx+=document.body.scrollLeft;
               mousy+=document.body.scrollTop;
           }
       }
   }
}

function DoigtBouge(e){
   if (e.touches && e.touches.length) MouseBouge(e.touches[0]);
}

   if(document.layers){ //ns4
       window.captureEvents(Event.MOUSEMOVE);
       window.onmousemove=MouseBouge;
   }else document.onmousemove=MouseBouge;
   if (document.addEventListener) {
       document.addEventListener('touchstart',DoigtBouge,{passive:true});
       document.addEventListener('touchmove',DoigtBouge,{passive:true});
   }

function showobjet(numobjet)
{
   if (numobjet!=objet_on) {
       var lignes=String(noms[numobjet]).split(/<br>/g);
       var largeur=0;
       for (var n=0; n<lignes.length; n++)
           if (lignes[n].length>largeur) largeur=lignes[n].length;
       moveLayer('pointrouge',coordx[numobjet]-7,coordy[numobjet]-7);
       if (findObj('nomobjet')) {
           changeLayer('nomobjet',"&nbsp;"+noms[numobjet]);
           if (largeur*7+coordx[numobjet] > x2)
               var Rcoordx=x2-largeur*8;
           else
               var Rcoordx=coordx[numobjet]-largeur*16/3.8;
           if (coordy[numobjet] > y2-50)
               var Rcoordy=coordy[numobjet]-28;
           else
               var Rcoordy=coordy[numobjet]+14;
           if (Rcoordx<0) Rcoordx=0;
           moveLayer('nomobjet',Rcoordx,Rcoordy);
       }
       showHideLayers('pointrouge','show','nomobjet','show');
       objet_on=numobjet;
   }
}

function hideobjet()
{
   if (objet_on!=-1) {
       showHideLayers('pointrouge','hide','nomobjet','hide');
       objet_on=-1;
   }
}

function periodique()
{
   if (!animflag++) {
       if (mousx>x1 && mousx <x2 && mousy>y1 && mousy<y2){
           bestdelta=9999;
           for (i=0; i<coordx.length; i++) {
               deltax=Math.abs(mousx-coordx[i]);
               deltay=Math.abs(mousy-coordy[i]);
               if (deltax+deltay < bestdelta) {bestdelta=deltax+deltay;besti=i;}
           }
           if (bestdelta < 16 && noms[besti]) showobjet(besti); else hideobjet();
       }
       animtimeid=setTimeout('periodique()',200);
       animflag=0;
   }
}

function resize(w,h) {
   if (parseInt(navigator.appVersion)>3) {
       if (navigator.appName=="Netscape") {
           top.outerWidth=w;
           top.outerHeight=h;
       }
       else top.resizeTo(w,h);
   }
}

function rien(){}

