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
   txt=balisesVues(txt);
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
   if (e.touches && e.touches.length) {
       MouseBouge(e.touches[0]);
       if (adaptee) doigtSurPoint();
   }
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
               var Rcoordx=coordx[numobjet]-largeur*@strBaloonSize@/3.8;
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

// ---- Every pupil: keyboard, screen reader, zoom. Added once the page has
// loaded, beside the lines above, which keep the pointer's behaviour.

var pointClavier=null;   // where the focused point put the pointer's position

// The text is the teacher's markup; only tags whose content a pupil would
// never see are shown as typed.
function balisesVues(txt)
{
   return String(txt).replace(/<(\/?)(script|style|title|textarea|xmp|noscript|iframe|template|head|html|body)\b/gi,'&lt;$1$2');
}

// A point's text as a screen reader says it: a line break is a pause.
function texteLu(html)
{
   var lignes=balisesVues(html).split(/<br\s*\/?>/i), texte='';
   for (var n=0; n<lignes.length; n++) {
       var ligne=new DOMParser().parseFromString(lignes[n],'text/html').body.textContent.replace(/\s+/g,' ').trim();
       if (!ligne) continue;
       if (texte) texte+=/[.,;:!?]$/.test(texte) ? ' ' : ', ';
       texte+=ligne;
   }
   return texte;
}

// A focused point shows as the pointer's approach shows it, and stands where the
// pointer was last seen, so that the poll keeps it until the pointer moves again.
function pointMontre(numobjet)
{
   showobjet(numobjet);
   mousx=coordx[numobjet];mousy=coordy[numobjet];
   pointClavier=[mousx,mousy];
   var bulle=findObj('nomobjet');
   if (bulle && bulle.scrollIntoView) bulle.scrollIntoView({block:'nearest',inline:'nearest'});
}

// The pointer counts as unseen until it moves: nothing comes back by itself.
function pointCache()
{
   hideobjet();
   mousx=0;mousy=0;
   pointClavier=null;
}

function pointQuitte(e)
{
   var vers=e.relatedTarget;
   if (vers && vers.className=='pointclavier') return;
   if (pointClavier && mousx==pointClavier[0] && mousy==pointClavier[1]) pointCache();
}

function pointBouton(numobjet)
{
   var b=document.createElement('button');
   b.type='button';
   b.className='pointclavier';
   b.setAttribute('aria-label',texteLu(noms[numobjet]) || 'Point '+(numobjet+1));
   b.style.left=(x1+coordx[numobjet]-11)+'px';
   b.style.top=(y1+coordy[numobjet]-11)+'px';
   b.numobjet=numobjet;
   b.onfocus=b.onclick=function(){pointMontre(numobjet);};
   b.onblur=pointQuitte;
   return b;
}

function pageAccessible()
{
   var d=document, corps=d.body, ref=findObj('objetref');
   if (!corps || !ref || findObj('pointsclavier')) return;
   var style=d.createElement('style');
   style.appendChild(d.createTextNode(
       '.pointclavier{position:absolute;z-index:3;width:24px;height:24px;margin:0;padding:0;border:0;border-radius:50%;background:transparent;pointer-events:none;}'+
       '.pointclavier:focus{outline:3px solid #000;outline-offset:0;box-shadow:inset 0 0 0 3px #fff,0 0 0 6px #fff;}'+
       '.horsvue{position:absolute;width:1px;height:1px;margin:-1px;padding:0;border:0;overflow:hidden;clip:rect(0,0,0,0);white-space:nowrap;}'));
   d.getElementsByTagName('head')[0].appendChild(style);
   if (!d.documentElement.lang) d.documentElement.lang='fr';
   // Everything in one main landmark; the boxes keep their places.
   var main=d.createElement('main');
   while (corps.firstChild) main.appendChild(corps.firstChild);
   corps.appendChild(main);
   var titel=findObj('Titel'), titre=titel && titel.getElementsByTagName('p')[0];
   var affiche=titre ? texteLu(titre.innerHTML) : '';
   if (!d.title.replace(/\s+/g,'')) d.title=affiche || 'Exercice';
   if (!titre) {
       titre=d.createElement('p');
       main.insertBefore(titre,main.firstChild);
   }
   titre.setAttribute('role','heading');
   titre.setAttribute('aria-level','1');
   if (!affiche) {
       var cache=d.createElement('span');
       cache.className='horsvue';
       cache.appendChild(d.createTextNode(d.title));
       titre.appendChild(cache);
   }
   // One button per point with a text, in the points' order.
   var boite=d.createElement('div'), nombre=0;
   boite.id='pointsclavier';
   for (var n=0; n<coordx.length; n++) {
       if (!noms[n]) continue;
       boite.appendChild(pointBouton(n));
       nombre++;
   }
   main.insertBefore(boite,ref.nextSibling);
   var image=ref.getElementsByTagName('img')[0];
   if (image && !image.getAttribute('alt'))
       image.alt="Image de l'exercice"+(nombre ? ' : '+nombre+(nombre>1 ? ' points' : ' point')+' à découvrir' : '');
   d.addEventListener('keydown',function(e){
       if ((e.key=='Escape' || e.key=='Esc' || e.keyCode==27) && objet_on>=0) pointCache();
   });
   if (adapterPage) pageAdaptee(main);
}

   if (document.addEventListener) document.addEventListener('DOMContentLoaded',pageAccessible);

// ---- Fitting the page to the window: the picture as large as the window
// allows on a wide screen, filling the width on a phone, its text never
// smaller than the teacher chose. The page is scaled as one piece, so the
// points, the distances and the balloon's rules stay in picture pixels:
// vueVersScene turns every pointer position into them.

var adapterPage=@adapterPage@;
var adaptee=null;   // {boite, k, textes}: the scaled page, once fitted
var doigt=null;     // [x, y, point x, point y]: the finger's last place and the point it got
var CIBLE=24;       // the smallest target a finger can hit, in CSS pixels

// Phones and tablets lay the page out at their own width, not 980 pixels.
   if (adapterPage && document.createElement && !document.querySelector('meta[name="viewport"]')) {
       var vue=document.createElement('meta');
       vue.name='viewport';
       vue.content='width=device-width, initial-scale=1';
       (document.head || document.documentElement).appendChild(vue);
   }

// The width of the window's scroll bar, 0 where scroll bars float over the page.
function barre()
{
   if (adaptee.barre==null) {
       var d=document.createElement('div');
       d.style.cssText='position:absolute;top:-200px;width:100px;height:100px;overflow:scroll';
       document.body.appendChild(d);
       adaptee.barre=d.offsetWidth-d.clientWidth;
       document.body.removeChild(d);
   }
   return adaptee.barre;
}

// A page position in picture pixels.
function vueVersScene(x,y)
{
   var r=adaptee.boite.getBoundingClientRect();
   return [(x-r.left-window.pageXOffset)/adaptee.k,(y-r.top-window.pageYOffset)/adaptee.k];
}

// A finger that misses a point by less than half a finger's target gets it.
function doigtSurPoint()
{
   var meilleur=9999, plus=-1, n;
   for (n=0; n<coordx.length; n++)
       meilleur=Math.min(meilleur,Math.abs(mousx-coordx[n])+Math.abs(mousy-coordy[n]));
   doigt=null;
   if (meilleur<16) return;
   var demi=CIBLE/2/Math.min(adaptee.k,1);
   meilleur=9999;
   for (n=0; n<coordx.length; n++) {
       var dx=Math.abs(mousx-coordx[n]), dy=Math.abs(mousy-coordy[n]);
       if (noms[n] && dx<=demi && dy<=demi && dx+dy<meilleur) {meilleur=dx+dy;plus=n;}
   }
   doigt=[mousx,mousy,mousx,mousy];
   if (plus>=0) doigt=[mousx,mousy,mousx=coordx[plus],mousy=coordy[plus]];
}

// The balloon stays inside the window, however large its text.
function bulleDansVue()
{
   var bulle=findObj('nomobjet');
   if (!adaptee || !bulle || objet_on<0) return;
   var r=bulle.getBoundingClientRect(), l=document.documentElement;
   var w=l.clientWidth, h=l.clientHeight, dx=0, dy=0;
   if (r.right>w) dx=w-r.right;
   if (r.left+dx<0) dx=-r.left;
   if (r.bottom>h) dy=h-r.bottom;
   if (r.top+dy<0) dy=-r.top;
   if (dx) bulle.style.left=(parseFloat(bulle.style.left)+dx/adaptee.k)+'px';
   if (dy) bulle.style.top=(parseFloat(bulle.style.top)+dy/adaptee.k)+'px';
}

// The largest scale at which the picture is whole in the window; on a window
// too low for it even at half its size (a phone turned), the one that fills the width.
// The window is measured whole: a scroll bar the old scale needed does not count;
// nor does what a phone zoomed out to show of the old scale.
function adapte()
{
   if (!adaptee) return;
   var w=x1+x2+4, h=y1+y2+8;
   var l=document.documentElement, large=Math.min(window.innerWidth,l.clientWidth+barre());
   var kw=(large-1)/w, k=Math.min(kw,(Math.min(window.innerHeight,l.clientHeight+barre())-1)/h);
   if (k<Math.min(kw,0.5)) {
       large-=barre();
       k=(large-1)/w;
   }
   adaptee.k=k;
   var f=k<1 ? 1/k : 1;
   for (var n=0; n<adaptee.textes.length; n++) {
       var t=adaptee.textes[n];
       t.el.style.fontSize=f==1 ? t.style[0] : t.size*f+'px';
       if (t.ligne) t.el.style.lineHeight=f==1 ? t.style[1] : t.ligne*f+'px';
   }
   // The keyboard's rings stay a finger wide.
   var boutons=adaptee.boite.getElementsByTagName('button'), c=CIBLE*f;
   for (n=0; n<boutons.length; n++) {
       var b=boutons[n];
       if (b.numobjet==null) continue;
       b.style.width=b.style.height=c+'px';
       b.style.left=(x1+coordx[b.numobjet]+1-c/2)+'px';
       b.style.top=(y1+coordy[b.numobjet]+1-c/2)+'px';
   }
   var s=adaptee.boite.style;
   s.left=Math.max(0,(large-w*k)/2)+'px';
   // Hidden, the dot and the balloon wait inside the picture, not below it.
   if (objet_on<0) {
       for (var ids=['pointrouge','nomobjet'], j=0; j<2; j++) {
           var o=findObj(ids[j]);
           if (o) o.style.left=o.style.top='0px';
       }
   }
   s.transform='scale('+k+')';
   if (objet_on>=0) {
       var shown=objet_on;
       objet_on=-2;
       showobjet(shown);
   }
}

function pageAdaptee(main)
{
   if (!(x2>0 && y2>0)) return;
   var textes=[], tous=main.getElementsByTagName('*');
   for (var n=0; n<tous.length; n++) {
       var el=tous[n], propre=false;
       for (var c=el.firstChild; c && !propre; c=c.nextSibling) propre=c.nodeType==3 && /\S/.test(c.nodeValue);
       if (!propre || el.className=='horsvue') continue;
       var cs=getComputedStyle(el);
       textes.push({el:el, size:parseFloat(cs.fontSize), ligne:/px$/.test(el.style.lineHeight) ? parseFloat(cs.lineHeight) : 0,
           style:[el.style.fontSize,el.style.lineHeight]});
   }
   var s=main.style;
   s.position='absolute';
   s.top='0px';
   s.width=(x1+x2+4)+'px';
   s.height=(y1+y2+8)+'px';
   s.transformOrigin='0 0';
   adaptee={boite:main, k:1, textes:textes};
   var bouge=MouseBouge;
   MouseBouge=function(e){
       var avant=[mousx,mousy];
       mousx=mousy=null;
       bouge(e);
       if (mousx==null) {mousx=avant[0];mousy=avant[1];return;}
       var p=vueVersScene(mousx,mousy);
       mousx=p[0];mousy=p[1];
       // The mouse events a tap brings after it keep the point the finger got.
       if (doigt && Math.abs(mousx-doigt[0])<1 && Math.abs(mousy-doigt[1])<1) {mousx=doigt[2];mousy=doigt[3];}
   };
   if (!document.layers) document.onmousemove=MouseBouge;
   var montre=showobjet;
   showobjet=function(numobjet){
       montre(numobjet);
       bulleDansVue();
   };
   adapte();
   window.addEventListener('resize',adapte);
}
