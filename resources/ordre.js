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
   Each other argument names a picture (its name attribute), followed by the
   farthest moves allowed from its start place, in pixels: MAXOFFLEFT,
   MAXOFFRIGHT, MAXOFFTOP, MAXOFFBOTTOM. A direction without a limit has none.

   The objects keep their place in the page layout and are only shifted from
   it, so nothing else on the page moves, and a shift survives a resize. */

var CURSOR_MOVE = "|cursor";
var SCROLL = "|scroll";
var NO_ALT = "|noalt";
var TRANSPARENT = "|transparent";
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
   timer: null      /* scrolling near an edge */
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
   if (inView) {
      var view = ordreViewport();
      left = rect.left;
      top = rect.top;
      right = view.width - rect.right;
      bottom = view.height - rect.bottom;
   } else {
      left = rect.left + window.pageXOffset;
      top = rect.top + window.pageYOffset;
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

/* Place the dragged object under the pointer, keeping the grab offset. */
function ordreFollow() {
   var d = ordre.drag;
   var x = d.clientX + window.pageXOffset - d.startX;
   var y = d.clientY + window.pageYOffset - d.startY;
   ordreMoveTo(d.item, d.startDx + x, d.startDy + y, true);
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
   ordre.drag = {
      item: item,
      id: e.pointerId,
      clientX: e.clientX,
      clientY: e.clientY,
      startX: e.clientX + window.pageXOffset,
      startY: e.clientY + window.pageYOffset,
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
   var still = Math.abs(e.clientX + window.pageXOffset - d.startX) <= 5 &&
      Math.abs(e.clientY + window.pageYOffset - d.startY) <= 5;
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
   ordreMoveTo(h.item, h.item.dx + e.clientX - (r.left + r.width / 2), h.item.dy + e.clientY - (r.top + r.height / 2), false);
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
      } else if (arg.charAt(0) != "|") {
         names.push(arg);
      }
   }
   for (var k = 0; k < names.length; k++) {
      ordreAddItem(names[k]);
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
}
