// Lets the site play offline after the first visit: its service worker keeps
// the site's own files. A browser that refuses (a private window, a page not
// served over HTTPS or from this computer) simply plays online.
if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("sw.js").catch(function () {});
}
