/* scorm.js - what an exercise page made with Toravi tells the school's learning
   platform, by the SCORM 1.2 run-time. Only the pages of a SCORM package load
   it, first of their scripts. Outside a platform (no API object in the parent
   frames nor in the opener) it does nothing.

   It hears what happens on the page:
     toraviVu(i)               point i of a tooltip page was shown (showobjet of
                               interact.js, whose lines stay as they are: wrapped here)
     toraviBouge(item)         an object of a drag-and-drop page moved (ordre.js)
     toraviResultat(bons, sur) the check counted the objects well placed (verifier.js)

   What goes to the platform: the status ("incomplete", then "completed" once
   every point with a text was read or every object moved; with the check,
   "passed" or "failed" and the score at each check), and on leaving the page
   the points read or the objects' places, so that a pupil who comes back finds
   them again, with the time spent. */

var scorm = {
   api: null,
   done: false,       /* LMSFinish said */
   started: 0,        /* when the session began, in ms */
   read: {},          /* tooltip pages: the points shown, by index */
   moved: {},         /* drag-and-drop pages: the objects moved, by name */
   checked: false     /* the page has its check: the status is the check's */
};

/* The platform's API object: in this window or a parent frame, else in the
   opener's. Frames of another site cannot be read and are passed over. */
function scormFind(win) {
   for (var n = 0; win && n < 500; n++) {
      try {
         if (win.API) {
            return win.API;
         }
      } catch (e) {
         /* another site's frame */
      }
      if (!win.parent || win.parent == win) {
         break;
      }
      win = win.parent;
   }
   return null;
}

function scormSet(name, value) {
   if (scorm.api && !scorm.done) {
      scorm.api.LMSSetValue(name, String(value));
   }
}

function scormGet(name) {
   return scorm.api && !scorm.done ? String(scorm.api.LMSGetValue(name)) : "";
}

function scormCommit() {
   if (scorm.api && !scorm.done) {
      scorm.api.LMSCommit("");
   }
}

/* "completed" once everything was seen or moved; a status the check gave stays. */
function scormProgress() {
   if (scorm.checked || !scorm.api) {
      return;
   }
   var all = true;
   if (typeof noms == "object") {
      for (var i = 0; i + 1 < noms.length; i++) {
         if (noms[i] && !scorm.read[i]) {
            all = false;
         }
      }
   } else if (typeof ordre == "object") {
      for (var j = 0; j < ordre.items.length; j++) {
         if (!scorm.moved[ordre.items[j].img.name]) {
            all = false;
         }
      }
   }
   var status = scormGet("cmi.core.lesson_status");
   if (all && status != "completed" && status != "passed") {
      scormSet("cmi.core.lesson_status", "completed");
      scormCommit();
   }
}

function toraviVu(i) {
   if (!scorm.read[i]) {
      scorm.read[i] = true;
      scormProgress();
   }
}

function toraviBouge(item) {
   if ((item.dx || item.dy) && !scorm.moved[item.img.name]) {
      scorm.moved[item.img.name] = true;
      scormProgress();
   }
}

function toraviResultat(bons, sur) {
   scormSet("cmi.core.score.raw", sur ? Math.round(100 * bons / sur) : 100);
   scormSet("cmi.core.score.min", 0);
   scormSet("cmi.core.score.max", 100);
   scormSet("cmi.core.lesson_status", bons == sur ? "passed" : "failed");
   scormCommit();
}

/* Where the pupil is: "vus:0,3" (points read) or "objet0,12,-40;objet2,0,0"
   (each moved object's shift from its start place), within the 4096
   characters the platform keeps. */
function scormSuspendData() {
   var tooltip = typeof noms == "object";
   var entries = [];
   if (tooltip) {
      for (var i in scorm.read) {
         entries.push(i);
      }
   } else {
      var items = typeof ordre == "object" ? ordre.items : [];
      for (var j = 0; j < items.length; j++) {
         if (scorm.moved[items[j].img.name]) {
            entries.push(items[j].img.name + "," + items[j].dx + "," + items[j].dy);
         }
      }
   }
   var text = tooltip ? "vus:" : "";
   for (var k = 0; k < entries.length; k++) {
      var more = (k ? (tooltip ? "," : ";") : "") + entries[k];
      if (text.length + more.length > 4096) {
         break;
      }
      text += more;
   }
   return text;
}

function scormResume(data) {
   if (typeof noms == "object") {
      var read = data.replace(/^vus:/, "").split(",");
      for (var i = 0; i < read.length; i++) {
         if (/^\d+$/.test(read[i])) {
            scorm.read[read[i]] = true;
         }
      }
      return;
   }
   var entries = data.split(";");
   for (var j = 0; j < entries.length; j++) {
      var e = entries[j].split(",");
      for (var k = 0; typeof ordre == "object" && k < ordre.items.length; k++) {
         var item = ordre.items[k];
         if (item.img.name == e[0] && e.length == 3) {
            ordreMoveTo(item, Number(e[1]) || 0, Number(e[2]) || 0, false);
            scorm.moved[e[0]] = true;
         }
      }
   }
}

/* SCORM 1.2 time: HHHH:MM:SS. */
function scormTime(ms) {
   var s = Math.floor(ms / 1000);
   var pad = function (n) { return (n < 10 ? "0" : "") + n; };
   return pad(Math.min(Math.floor(s / 3600), 9999)) + ":" + pad(Math.floor(s / 60) % 60) + ":" + pad(s % 60);
}

function scormStart() {
   var api = scormFind(window) || (window.opener ? scormFind(window.opener) : null);
   if (!api || String(api.LMSInitialize("")) != "true") {
      return;
   }
   scorm.api = api;
   scorm.started = new Date().getTime();
   scorm.checked = typeof verifier == "object" && !!document.getElementById("boutonVerifier");
   var status = scormGet("cmi.core.lesson_status");
   if (status == "not attempted" || status == "") {
      scormSet("cmi.core.lesson_status", "incomplete");
   }
   if (scormGet("cmi.core.entry") == "resume") {
      scormResume(scormGet("cmi.suspend_data"));
   }
   scormProgress();
   scormCommit();
   /* Leaving the page, however: closed, reloaded or another activity. Never a
      question before leaving, which platforms would show at every change. */
   window.addEventListener("pagehide", scormFinish);
}

function scormFinish() {
   if (!scorm.api || scorm.done) {
      return;
   }
   scormSet("cmi.suspend_data", scormSuspendData());
   scormSet("cmi.core.exit", "suspend");
   scormSet("cmi.core.session_time", scormTime(new Date().getTime() - scorm.started));
   scormCommit();
   scorm.done = true;
   scorm.api.LMSFinish("");
}

/* The tooltip page's own showobjet, called by the pointer's poll and by the
   keyboard alike, tells which points were read. interact.js is read after
   this script: its functions are there once the document is. */
function scormWatchPoints() {
   if (typeof showobjet == "function" && !showobjet.scorm) {
      var show = showobjet;
      showobjet = function (numobjet) {
         show(numobjet);
         toraviVu(numobjet);
      };
      showobjet.scorm = true;
   }
}

document.addEventListener("DOMContentLoaded", scormWatchPoints);
window.addEventListener("load", scormStart);
