/* ordre.js - drag and drop for the exercise pages made with Toravi.
   Pupils move the object pictures onto their places in the scene with a
   mouse, a finger or a pen, by two clicks or taps (the object, then where
   it goes), or with the keyboard: each object is a named button that Enter
   or Space takes and puts down, the arrow keys move (10 pixels, 1 with
   Shift) and Escape puts back; screen readers hear each of these.

   The page calls SET_DHTML once, after its pictures, for example:
     SET_DHTML(CURSOR_MOVE, SCROLL, NO_ALT, "objet0"+MAXOFFLEFT+52+MAXOFFRIGHT+694+MAXOFFBOTTOM+700);
   Command words apply to every object:
     CURSOR_MOVE  the move cursor over the objects
     SCROLL       dragging near an edge of the window scrolls the page
     NO_ALT       the objects show no alt or title text
     TRANSPARENT  an object is drawn at opacity 0.7 while it is dragged
     NO_SCALE     the page keeps its designed size instead of fitting the window
   Each other argument names a picture (its name attribute), followed by the
   farthest moves allowed from its start place, in pixels: MAXOFFLEFT,
   MAXOFFRIGHT, MAXOFFTOP, MAXOFFBOTTOM. A direction without a limit has none.

   The objects keep their place in the page layout and are only shifted from
   it, so nothing else on the page moves, and a shift survives a resize.

   Unless told NO_SCALE, the page fits the window: the exercise is scaled as
   one piece, whole in view on a wide screen, filling the width on a phone,
   its text never smaller than the teacher chose. Shifts, limits, key steps
   and places stay in scene pixels (the scene shown 700 pixels wide):
   ordreScene turns every pointer position into them. */

var CURSOR_MOVE = "|cursor";
var SCROLL = "|scroll";
var NO_ALT = "|noalt";
var TRANSPARENT = "|transparent";
var NO_SCALE = "|noscale";
var MAXOFFLEFT = "|left:";
var MAXOFFRIGHT = "|right:";
var MAXOFFTOP = "|top:";
var MAXOFFBOTTOM = "|bottom:";

var ordre = {
   items: [],
   top: 1,          /* highest z-index given so far */
   topItem: null,   /* the object that has it */
   cursor: false,
   scroll: false,
   noAlt: false,
   transparent: false,
   drag: null,      /* the drag under way */
   held: null,      /* the object taken by keys or by a click: { item, dx, dy } */
   voice: null,     /* the status line that says what happens */
   moved: null,     /* called with an object after each move (the check clears its frame) */
   timer: null,     /* scrolling near an edge */
   fit: true,       /* the page fits the window */
   box: null,       /* the scaled exercise, once fitted */
   scale: 1,        /* CSS pixels per scene pixel */
   texts: [],       /* { el, size, line, style }: the designed text sizes */
   fittedHeight: 0  /* the exercise's height the last fit saw */
};

var ORDRE_HELP = "Entr\u00e9e ou Espace pour prendre l'objet, fl\u00e8ches pour le d\u00e9placer " +
   "(Maj : petits pas), Entr\u00e9e pour le poser, \u00c9chap pour le remettre o\u00f9 il \u00e9tait. " +
   "Sans glisser : clique ou touche l'objet, puis l'endroit o\u00f9 le poser.";

/* The visible part of the window, without scroll bars. Old-style pages
   (no full doctype) report it on the body. */
function ordreViewport() {
   var root = document.compatMode == "BackCompat" && document.body ? document.body : document.documentElement;
   return { width: root.clientWidth, height: root.clientHeight };
}

/* Interval of shifts allowed by the limits along one axis. */
function ordreLimitRange(less, more) {
   return {
      low: less == null ? -Infinity : -less,
      high: more == null ? Infinity : more
   };
}

/* Shift an object to (dx, dy) from its start place, within its limits and
   within the window (inView) or the page. An object already beyond an edge
   may stay there but not go farther. */
function ordreMoveTo(item, dx, dy, inView) {
   var rect = item.img.getBoundingClientRect();
   var lim = item.limits;
   var x = ordreLimitRange(lim.left, lim.right);
   var y = ordreLimitRange(lim.top, lim.bottom);
   var left, top, right, bottom;
   var k = ordre.scale;
   if (inView) {
      var view = ordreViewport();
      left = rect.left / k;
      top = rect.top / k;
      right = (view.width - rect.right) / k;
      bottom = (view.height - rect.bottom) / k;
   } else {
      left = (rect.left + window.pageXOffset) / k;
      top = (rect.top + window.pageYOffset) / k;
      right = Infinity;
      bottom = Infinity;
   }
   x.low = Math.max(x.low, item.dx - Math.max(left, 0));
   x.high = Math.min(x.high, item.dx + Math.max(right, 0));
   y.low = Math.max(y.low, item.dy - Math.max(top, 0));
   y.high = Math.min(y.high, item.dy + Math.max(bottom, 0));
   item.dx = Math.round(Math.min(Math.max(dx, x.low), x.high));
   item.dy = Math.round(Math.min(Math.max(dy, y.low), y.high));
   item.img.style.left = item.dx + "px";
   item.img.style.top = item.dy + "px";
   if (ordre.moved) {
      ordre.moved(item);
   }
   /* A learning platform keeps where the objects are (scorm.js). */
   if (typeof toraviBouge == "function") {
      toraviBouge(item);
   }
}

function ordreToTop(item) {
   if (ordre.topItem != item) {
      ordre.top += 1;
      ordre.topItem = item;
      item.img.style.zIndex = ordre.top;
   }
}

/* A point of the window in scene pixels. Every pointer position goes through
   here; only differences between two of them are used, so the origin is the
   page's (designed size) or the scaled exercise's corner (fitted). */
function ordreScene(clientX, clientY) {
   if (!ordre.box) {
      return { x: clientX + window.pageXOffset, y: clientY + window.pageYOffset };
   }
   var r = ordre.box.getBoundingClientRect();
   return { x: (clientX - r.left) / ordre.scale, y: (clientY - r.top) / ordre.scale };
}

/* Place the dragged object under the pointer, keeping the grab offset. */
function ordreFollow() {
   var d = ordre.drag;
   var p = ordreScene(d.clientX, d.clientY);
   ordreMoveTo(d.item, d.startDx + p.x - d.startX, d.startDy + p.y - d.startY, true);
}

/* How far to scroll now: more the closer the pointer is to the edge. */
function ordreEdgeStep(pos, size) {
   var margin = 40;
   if (pos > size - margin) {
      return Math.ceil((pos - (size - margin)) / 4) + 2;
   }
   if (pos < margin) {
      return -(Math.ceil((margin - pos) / 4) + 2);
   }
   return 0;
}

function ordreStopScrolling() {
   if (ordre.timer != null) {
      window.clearInterval(ordre.timer);
      ordre.timer = null;
   }
}

function ordreAutoScroll() {
   var d = ordre.drag;
   if (!d) {
      ordreStopScrolling();
      return;
   }
   var view = ordreViewport();
   var sx = ordreEdgeStep(d.clientX, view.width);
   var sy = ordreEdgeStep(d.clientY, view.height);
   var before = window.pageXOffset + "," + window.pageYOffset;
   if (sx || sy) {
      window.scrollBy(sx, sy);
   }
   if (window.pageXOffset + "," + window.pageYOffset == before) {
      ordreStopScrolling();
      return;
   }
   ordreFollow();
}

function ordrePick(item, e) {
   if (ordre.drag || (e.pointerType == "mouse" && e.button != 0)) {
      return;
   }
   e.preventDefault();
   if (ordre.held && ordre.held.item != item) {
      ordreLetGo("");
   }
   var p = ordreScene(e.clientX, e.clientY);
   ordre.drag = {
      item: item,
      id: e.pointerId,
      clientX: e.clientX,
      clientY: e.clientY,
      startX: p.x,
      startY: p.y,
      startDx: item.dx,
      startDy: item.dy
   };
   try {
      item.img.setPointerCapture(e.pointerId);
   } catch (ignored) {
      /* the document's listeners follow the pointer all the same */
   }
   ordreToTop(item);
   if (ordre.transparent) {
      item.img.style.opacity = "0.7";
   }
}

function ordreDrag(e) {
   var d = ordre.drag;
   if (!d || e.pointerId != d.id) {
      return;
   }
   /* The button was released where the page could not see it (outside the
      window, or with the capture lost): the drag is over. */
   if (e.pointerType != "touch" && (e.buttons & 1) == 0) {
      ordreDrop(e);
      return;
   }
   e.preventDefault();
   d.clientX = e.clientX;
   d.clientY = e.clientY;
   ordreFollow();
   if (ordre.scroll && ordre.timer == null) {
      var view = ordreViewport();
      if (ordreEdgeStep(d.clientX, view.width) || ordreEdgeStep(d.clientY, view.height)) {
         ordre.timer = window.setInterval(ordreAutoScroll, 25);
      }
   }
}

function ordreDrop(e) {
   var d = ordre.drag;
   if (!d || e.pointerId != d.id) {
      return;
   }
   ordreStopScrolling();
   ordre.drag = null;
   if (ordre.transparent) {
      d.item.img.style.opacity = "";
   }
   /* Still: within 5 pixels of the window, whatever the scale. */
   var p = ordreScene(e.clientX, e.clientY);
   var still = Math.abs(p.x - d.startX) * ordre.scale <= 5 && Math.abs(p.y - d.startY) * ordre.scale <= 5;
   if (e.type != "pointerup" || !still) {
      if (ordre.held && ordre.held.item == d.item) {
         ordreLetGo("");
      }
   } else {
      /* A click or a tap, not a drag: the object stays put and is taken, or put down. */
      ordreMoveTo(d.item, d.startDx, d.startDy, false);
      ordreToggle(d.item);
   }
}

/* The status line: the same words again are said again. */
function ordreSay(text) {
   var line = ordre.voice;
   if (!line) {
      return;
   }
   line.textContent = "";
   window.setTimeout(function () { line.textContent = text; }, 100);
}

function ordreTake(item) {
   if (ordre.held) {
      ordreLetGo("");
   }
   ordre.held = { item: item, dx: item.dx, dy: item.dy };
   item.img.setAttribute("aria-pressed", "true");
   item.img.className += " ordre-pris";
   ordreToTop(item);
   ordreSay("Objet pris : " + item.name);
}

/* Puts the held object down where it is ("pose"), back where it was
   taken ("retour"), or where it is without a word (""). */
function ordreLetGo(how) {
   var h = ordre.held;
   if (!h) {
      return;
   }
   ordre.held = null;
   h.item.img.setAttribute("aria-pressed", "false");
   h.item.img.className = h.item.img.className.replace(/ ordre-pris/g, "");
   if (how == "retour") {
      ordreMoveTo(h.item, h.dx, h.dy, false);
      ordreSay("Objet remis o\u00f9 il \u00e9tait : " + h.item.name);
   } else if (how) {
      ordreSay("Objet pos\u00e9 : " + h.item.name);
   }
}

function ordreToggle(item) {
   if (ordre.held && ordre.held.item == item) {
      ordreLetGo("pose");
   } else {
      ordreTake(item);
      if (document.activeElement != item.img) {
         item.img.focus({ preventScroll: true });
      }
   }
}

/* A click in the exercise while an object is held puts the object's centre there. */
function ordrePlace(e) {
   var h = ordre.held;
   if (!h || !e.detail || e.button) {
      return;
   }
   for (var t = e.target; t && t.tagName; t = t.parentNode) {
      if (/^(A|BUTTON|INPUT|SELECT|TEXTAREA|LABEL)$/.test(t.tagName) || t.getAttribute("role") == "button") {
         return;
      }
   }
   var r = h.item.img.getBoundingClientRect();
   var at = ordreScene(e.clientX, e.clientY);
   var centre = ordreScene(r.left + r.width / 2, r.top + r.height / 2);
   ordreMoveTo(h.item, h.item.dx + at.x - centre.x, h.item.dy + at.y - centre.y, false);
   ordreLetGo("pose");
}

function ordreKey(item, e) {
   /* Alt+Left and the like belong to the browser. */
   if (e.altKey || e.ctrlKey || e.metaKey) {
      return;
   }
   if (e.key == "Enter" || e.key == " " || e.key == "Spacebar" || e.keyCode == 13 || e.keyCode == 32) {
      e.preventDefault();
      if (!e.repeat) {
         ordreToggle(item);
      }
      return;
   }
   var step = e.shiftKey ? 1 : 10;
   var dx = 0;
   var dy = 0;
   if (e.key == "ArrowLeft" || e.keyCode == 37) {
      dx = -step;
   } else if (e.key == "ArrowRight" || e.keyCode == 39) {
      dx = step;
   } else if (e.key == "ArrowUp" || e.keyCode == 38) {
      dy = -step;
   } else if (e.key == "ArrowDown" || e.keyCode == 40) {
      dy = step;
   } else {
      return;
   }
   e.preventDefault();
   if (!ordre.held || ordre.held.item != item) {
      ordreTake(item);
   }
   ordreMoveTo(item, item.dx + dx, item.dy + dy, false);
   if (item.img.scrollIntoView) {
      item.img.scrollIntoView({ block: "nearest", inline: "nearest" });
   }
}

/* Tab to something else puts the held object down where it is; a click
   on the scene takes the focus nowhere and leaves it held. */
function ordreBlur(item, e) {
   if (e.relatedTarget && ordre.held && ordre.held.item == item) {
      ordreLetGo("pose");
   }
}

/* One argument of the call: a picture's name and its limits. */
function ordreAddItem(arg) {
   var parts = arg.split("|");
   var list = document.getElementsByName(parts[0]);
   var img = null;
   for (var i = 0; i < list.length && !img; i++) {
      if (list[i].tagName == "IMG") {
         img = list[i];
      }
   }
   if (!img) {
      return;
   }
   var item = { img: img, dx: 0, dy: 0, name: "", limits: { left: null, right: null, top: null, bottom: null } };
   for (var j = 1; j < parts.length; j++) {
      var pair = parts[j].split(":");
      var value = parseInt(pair[1], 10);
      if (item.limits.hasOwnProperty(pair[0]) && !isNaN(value)) {
         item.limits[pair[0]] = Math.max(value, 0);
      }
   }
   var s = img.style;
   s.position = "relative";
   s.left = "0px";
   s.top = "0px";
   s.zIndex = 1;
   s.touchAction = "none";
   s.userSelect = "none";
   s.webkitUserSelect = "none";
   s.setProperty("-webkit-user-drag", "none");
   s.setProperty("-webkit-touch-callout", "none");
   if (ordre.cursor) {
      s.cursor = "move";
   }
   if (ordre.noAlt) {
      img.alt = "";
      img.removeAttribute("title");
   }
   /* A button with a name: the teacher's text when it is shown, a number otherwise. */
   item.name = (!ordre.noAlt && img.alt.replace(/\s+/g, "")) ? img.alt : "Objet " + (ordre.items.length + 1);
   img.alt = item.name;
   img.setAttribute("role", "button");
   img.setAttribute("aria-pressed", "false");
   img.setAttribute("aria-describedby", "ordreAide");
   img.className += " ordre-objet";
   img.draggable = false;
   img.tabIndex = 0;
   img.addEventListener("pointerdown", function (e) { ordrePick(item, e); });
   img.addEventListener("keydown", function (e) { ordreKey(item, e); });
   img.addEventListener("blur", function (e) { ordreBlur(item, e); });
   /* A screen reader's click comes without a pointer (detail 0). */
   img.addEventListener("click", function (e) {
      if (!e.detail) {
         ordreToggle(item);
      }
   });
   img.addEventListener("dragstart", function (e) { e.preventDefault(); });
   img.addEventListener("contextmenu", function (e) {
      if (ordre.drag && ordre.drag.item == item) {
         e.preventDefault();
      }
   });
   ordre.items.push(item);
}

function SET_DHTML() {
   var names = [];
   for (var i = 0; i < arguments.length; i++) {
      var arg = String(arguments[i]);
      if (arg == CURSOR_MOVE) {
         ordre.cursor = true;
      } else if (arg == SCROLL) {
         ordre.scroll = true;
      } else if (arg == NO_ALT) {
         ordre.noAlt = true;
      } else if (arg == TRANSPARENT) {
         ordre.transparent = true;
      } else if (arg == NO_SCALE) {
         ordre.fit = false;
      } else if (arg.charAt(0) != "|") {
         names.push(arg);
      }
   }
   for (var k = 0; k < names.length; k++) {
      ordreAddItem(names[k]);
   }
   if (ordre.fit) {
      ordreViewportMeta();
   }
   document.addEventListener("pointermove", ordreDrag, { passive: false });
   document.addEventListener("pointerup", ordreDrop);
   document.addEventListener("pointercancel", ordreDrop);
   document.addEventListener("lostpointercapture", ordreDrop, true);
   /* The wheel or the keys scroll the page: the dragged object stays under the pointer. */
   window.addEventListener("scroll", function () {
      if (ordre.drag) {
         ordreFollow();
      }
   });
   document.addEventListener("click", ordrePlace);
   document.addEventListener("keydown", function (e) {
      if (ordre.held && (e.key == "Escape" || e.key == "Esc" || e.keyCode == 27)) {
         ordreLetGo("retour");
      }
   });
   if (document.readyState == "loading") {
      document.addEventListener("DOMContentLoaded", ordreForEveryone);
   } else {
      ordreForEveryone();
   }
}

function ordreHidden(tag, id, text) {
   var el = document.createElement(tag);
   el.id = id;
   el.className = "ordre-horsvue";
   el.appendChild(document.createTextNode(text));
   return el;
}

/* What the page's own lines lack for screen readers, keyboards and zoom:
   its language, a title, a main landmark, a first-level heading, texts for
   its pictures, visible focus, the spoken help and the status line. */
function ordreForEveryone() {
   var d = document;
   var body = d.body;
   if (!body || d.getElementById("ordreAide")) {
      return;
   }
   var css = ".ordre-horsvue{position:absolute!important;width:1px;height:1px;margin:-1px;padding:0;border:0;" +
      "overflow:hidden;clip:rect(0,0,0,0);white-space:nowrap}" +
      "a:focus-visible,button:focus-visible,input:focus-visible,.ordre-objet:focus-visible{" +
      "outline:3px solid #000!important;outline-offset:2px!important;box-shadow:0 0 0 2px #fff}" +
      ".ordre-objet.ordre-pris{box-shadow:0 0 0 5px #fff,0 0 0 9px #B34700}";
   var style = d.createElement("style");
   style.appendChild(d.createTextNode(css));
   (d.head || body).appendChild(style);
   if (!d.documentElement.lang) {
      d.documentElement.lang = "fr";
   }
   var main = d.createElement("main");
   while (body.firstChild) {
      main.appendChild(body.firstChild);
   }
   body.appendChild(main);
   var h = main.getElementsByTagName("h2")[0] || main.getElementsByTagName("h1")[0];
   var shown = h ? h.textContent.replace(/\s+/g, " ").trim() : "";
   if (!d.title.replace(/\s+/g, "")) {
      d.title = shown || "Exercice";
   }
   if (!h) {
      h = main.insertBefore(d.createElement("h1"), main.firstChild);
   }
   h.setAttribute("aria-level", "1");
   if (!shown) {
      h.appendChild(ordreHidden("span", "ordreTitre", d.title));
   }
   /* The scene is the picture shown 700 pixels wide; the spacer and
      pictures nobody described are decoration. */
   var pics = main.getElementsByTagName("img");
   for (var i = 0; i < pics.length; i++) {
      var p = pics[i];
      if (/(^|\/)transparentpixel\.gif$/.test(p.getAttribute("src")) || !p.hasAttribute("alt")) {
         p.alt = !p.name && p.getAttribute("width") == "700" ? "La sc\u00e8ne, o\u00f9 poser les objets" : "";
      }
   }
   /* The help's link and its button are one stop for the keyboard. */
   var inputs = main.getElementsByTagName("input");
   for (var k = 0; k < inputs.length; k++) {
      if (inputs[k].parentNode.tagName == "A") {
         inputs[k].parentNode.tabIndex = -1;
      }
   }
   var first = ordre.items.length ? ordre.items[0].img : null;
   var help = ordreHidden("p", "ordreAide", ORDRE_HELP);
   if (first) {
      first.parentNode.insertBefore(help, first);
   } else {
      main.appendChild(help);
   }
   ordre.voice = main.appendChild(ordreHidden("p", "ordreAnnonce", ""));
   ordre.voice.setAttribute("role", "status");
   ordre.voice.setAttribute("aria-live", "polite");
   if (ordre.fit) {
      ordreFitSetup(main);
   }
}

/* ---- Fitting the page to the window. */

var ORDRE_WIDTH = 740;      /* the exercise's table, in scene pixels */
var ORDRE_TARGET = 24;      /* the smallest target a finger can hit, in CSS pixels */

/* Phones and tablets lay the page out at their own width, not 980 pixels. */
function ordreViewportMeta() {
   var d = document;
   if (d.querySelector('meta[name="viewport"]')) {
      return;
   }
   var m = d.createElement("meta");
   m.name = "viewport";
   m.content = "width=device-width, initial-scale=1";
   (d.head || d.documentElement).appendChild(m);
}

/* Text never shrinks with the picture: below scale 1 it is set larger in
   scene pixels, so that it reflows at its designed size. */
function ordreTextScale(k) {
   var f = k < 1 ? 1 / k : 1;
   for (var i = 0; i < ordre.texts.length; i++) {
      var t = ordre.texts[i];
      t.el.style.fontSize = f == 1 ? t.style[0] : t.size * f + "px";
      if (t.line) {
         t.el.style.lineHeight = f == 1 ? t.style[1] : t.line * f + "px";
      }
   }
}

/* Objects smaller than a finger get a transparent margin that answers it;
   padding within an equal negative margin, so that nothing moves. */
function ordreTargets(k) {
   for (var i = 0; i < ordre.items.length; i++) {
      var img = ordre.items[i].img;
      var px = Math.max(0, Math.ceil((ORDRE_TARGET / k - img.width) / 2));
      var py = Math.max(0, Math.ceil((ORDRE_TARGET / k - img.height) / 2));
      img.style.padding = py || px ? py + "px " + px + "px" : "";
      img.style.margin = py || px ? -py + "px " + -px + "px" : "";
   }
}

/* The width of the window's scroll bar, 0 where scroll bars float over the page. */
function ordreScrollBar() {
   if (ordre.bar == null) {
      var d = document.createElement("div");
      d.style.cssText = "position:absolute;top:-200px;width:100px;height:100px;overflow:scroll";
      document.body.appendChild(d);
      ordre.bar = d.offsetWidth - d.clientWidth;
      document.body.removeChild(d);
   }
   return ordre.bar;
}

/* The largest scale at which the exercise is whole in the window; on a
   window too low for it even at half its size (a phone), the one that fills
   the width beside the scroll bar it then needs. The window is measured
   whole: a scroll bar the old scale needed does not count; nor does what a
   phone zoomed out to show of the old scale. */
function ordreFit() {
   var box = ordre.box;
   if (!box || ordre.fitting) {
      return;
   }
   ordre.fitting = true;
   var layout = ordreViewport();
   var view = { width: Math.min(window.innerWidth, layout.width + ordreScrollBar()),
      height: Math.min(window.innerHeight, layout.height + ordreScrollBar()) };
   var kw = (view.width - 1) / ORDRE_WIDTH;
   var fits = function (k) {
      ordreTextScale(k);
      return k * box.offsetHeight <= view.height - 1;
   };
   var width = view.width - ordreScrollBar();
   var k = (width - 1) / ORDRE_WIDTH;
   var low = Math.min(k, 0.5);
   if (fits(kw)) {
      k = kw;
      width = view.width;
   } else if (fits(low)) {
      var high = kw;
      width = view.width;
      for (var n = 0; n < 12; n++) {
         var mid = (low + high) / 2;
         if (fits(mid)) {
            low = mid;
         } else {
            high = mid;
         }
      }
      k = low;
   }
   ordreTextScale(k);
   ordreTargets(k);
   ordre.scale = k;
   ordre.fittedHeight = box.offsetHeight;
   box.style.left = Math.max(0, (width - ORDRE_WIDTH * k) / 2) + "px";
   box.style.transform = "scale(" + k + ")";
   ordre.fitting = false;
}

function ordreFitSetup(main) {
   /* The designed sizes of every text, read before any is changed. */
   var all = main.getElementsByTagName("*");
   for (var i = 0; i < all.length; i++) {
      var el = all[i];
      var own = /^(INPUT|BUTTON)$/.test(el.tagName);
      for (var c = el.firstChild; c && !own; c = c.nextSibling) {
         own = c.nodeType == 3 && /\S/.test(c.nodeValue);
      }
      own = own || el.getAttribute("role") == "status";
      if (own && !/ordre-horsvue/.test(el.className)) {
         var cs = getComputedStyle(el);
         ordre.texts.push({ el: el, size: parseFloat(cs.fontSize), line: /px$/.test(el.style.lineHeight) ? parseFloat(cs.lineHeight) : 0,
            style: [el.style.fontSize, el.style.lineHeight] });
      }
   }
   /* The scene's box is 900 pixels high whatever the scene: the exercise ends with the scene. */
   var pics = main.getElementsByTagName("img");
   for (var j = 0; j < pics.length; j++) {
      if (!pics[j].name && pics[j].getAttribute("width") == "700") {
         for (var up = pics[j].parentNode; up && up != main; up = up.parentNode) {
            if (up.style && up.style.height) {
               up.style.height = "auto";
               break;
            }
         }
      }
   }
   var s = main.style;
   s.position = "absolute";
   s.top = "0px";
   s.width = ORDRE_WIDTH + "px";
   s.transformOrigin = "0 0";
   ordre.box = main;
   ordreFit();
   window.addEventListener("resize", ordreFit);
   /* Pictures and fonts that arrive late, a zoom or a longer line reflow the
      exercise: fit again, once the browser has laid it out. */
   if (window.ResizeObserver) {
      new ResizeObserver(function () {
         if (main.offsetHeight != ordre.fittedHeight) {
            window.requestAnimationFrame(ordreFit);
         }
      }).observe(main);
   }
}
