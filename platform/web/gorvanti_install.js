// Makes the page playable offline: once the game runs (all its files loaded), the service worker
// is registered, and a new build's worker is let take over, for the next start.
"use strict";

(() => {
  if (!("serviceWorker" in navigator)) {
    return;
  }
  function letTakeOver(worker) {
    if (!worker) {
      return;
    }
    const tell = () => worker.state === "installed" && worker.postMessage("take-over");
    tell();
    worker.addEventListener("statechange", tell);
  }
  function register() {
    navigator.serviceWorker.register("gorvanti_sw.js").then((registration) => {
      letTakeOver(registration.waiting);
      letTakeOver(registration.installing);
      registration.addEventListener("updatefound", () => letTakeOver(registration.installing));
    }, (error) => console.warn("Gorvanti: the page cannot be kept for offline play:", error.message));
  }
  Module.postRun = [].concat(Module.postRun || [], register);
})();
