/* verifier.js - the check of the exercise pages made with Toravi.
   Loaded after ordre.js by the pages whose teacher asked for the check. The
   page calls SET_PLACES once, after SET_DHTML:
     SET_PLACES(20, "objet0", 120, 45, "objet2", 300, 80);
   first the tolerance in pixels, then for each object that has a place its
   name and the place of its top-left corner, in pixels from the top-left
   corner of the scene shown 700 pixels wide (the picture with id "scene").

   The check button (id boutonVerifier) frames each of these objects, green when
   both its edges are within the tolerance of its place, red and dashed
   otherwise, and writes the count into the status line (id resultat), which
   screen readers announce. The restart button (id boutonRecommencer) puts every
   object back in its row and clears the frames and the line.

   Positions are measured against the scene's box on the screen, so zoom,
   scrolling, the page's centring and its fitting to the window change nothing. */

var verifier = {
   tolerance: 20,
   places: []       /* { img, x, y } */
};

function verifierFrame(img, state) {
   if (state == "bon") {
      img.style.outline = "3px solid #008000";
   } else if (state == "faux") {
      img.style.outline = "3px dashed #E00000";
   } else {
      img.style.outline = "";
   }
   img.style.outlineOffset = state ? "1px" : "";
}

function verifierCheck() {
   var scene = document.getElementById("scene");
   if (!scene) {
      return;
   }
   var box = scene.getBoundingClientRect();
   /* Shown at another width than 700 (a style of the reader's own), the
      places scale with it. */
   var scale = box.width > 0 ? box.width / 700 : 1;
   var right = 0;
   for (var i = 0; i < verifier.places.length; i++) {
      var p = verifier.places[i];
      var r = p.img.getBoundingClientRect();
      /* A small object's margin for fingers (ordre.js) is not the picture. */
      var cs = getComputedStyle(p.img);
      var x = Math.round((r.left - box.left) / scale + parseFloat(cs.paddingLeft));
      var y = Math.round((r.top - box.top) / scale + parseFloat(cs.paddingTop));
      var good = Math.abs(x - p.x) <= verifier.tolerance && Math.abs(y - p.y) <= verifier.tolerance;
      if (good) {
         right += 1;
      }
      verifierFrame(p.img, good ? "bon" : "faux");
   }
   verifierSay("Bien plac\u00e9s : " + right + " sur " + verifier.places.length);
   /* A learning platform gets the score (scorm.js). */
   if (typeof toraviResultat == "function") {
      toraviResultat(right, verifier.places.length);
   }
}

function verifierSay(text) {
   var line = document.getElementById("resultat");
   if (!line) {
      return;
   }
   /* The same count again: emptied first, so that screen readers say it again. */
   if (text && line.textContent == text) {
      line.textContent = "";
      window.setTimeout(function () { line.textContent = text; }, 150);
   } else {
      line.textContent = text;
   }
}

function verifierRestart() {
   var items = typeof ordre == "object" ? ordre.items : [];
   if (typeof ordreLetGo == "function") {
      ordreLetGo("");
   }
   for (var i = 0; i < items.length; i++) {
      items[i].dx = 0;
      items[i].dy = 0;
      items[i].img.style.left = "0px";
      items[i].img.style.top = "0px";
   }
   for (var j = 0; j < verifier.places.length; j++) {
      verifierFrame(verifier.places[j].img, "");
   }
   verifierSay("");
}

function SET_PLACES(tolerance) {
   var t = parseInt(tolerance, 10);
   verifier.tolerance = isNaN(t) ? 20 : Math.max(t, 0);
   for (var i = 1; i + 2 < arguments.length; i += 3) {
      var list = document.getElementsByName(arguments[i]);
      for (var k = 0; k < list.length; k++) {
         if (list[k].tagName == "IMG") {
            verifier.places.push({ img: list[k], x: Number(arguments[i + 1]), y: Number(arguments[i + 2]) });
            break;
         }
      }
   }
   /* The frame of an object that moves again no longer says anything. */
   if (typeof ordre == "object") {
      ordre.moved = function (item) { verifierFrame(item.img, ""); };
   }
   var check = document.getElementById("boutonVerifier");
   var restart = document.getElementById("boutonRecommencer");
   if (check) {
      check.addEventListener("click", verifierCheck);
   }
   if (restart) {
      restart.addEventListener("click", verifierRestart);
   }
}
