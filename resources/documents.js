/* documents.js - the documents a page in one file opens in a window of their
   own (the help document). They travel inside the page; window.open is given
   them as blob: addresses, which browsers open where they refuse data: ones.
   The page calls it once, with each document's address as the page names it:
     TORAVI_DOCUMENTS({ "aide.htm": ["text/html", "PGh0bWw+..."] });  */
function TORAVI_DOCUMENTS(files) {
   var open = window.open;
   window.open = function (url) {
      var f = files[url];
      if (f && window.Blob && window.URL) {
         var text = atob(f[1]);
         var bytes = new Uint8Array(text.length);
         for (var i = 0; i < text.length; i++) {
            bytes[i] = text.charCodeAt(i);
         }
         arguments[0] = URL.createObjectURL(new Blob([bytes], { type: f[0] }));
      }
      return open.apply(window, arguments);
   };
}
