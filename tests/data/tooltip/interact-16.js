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
       // A learning platform counts the points read.
       if (typeof toraviVu=="function") toraviVu(numobjet);
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
}

   if (document.addEventListener) document.addEventListener('DOMContentLoaded',pageAccessible);

