// Makes the page playable offline: once the game runs (all its files loaded), the service worker
// is registered, and a new build's worker is let take over, for the next start.
"use strict";

(() => {
  if (!("serviceWorker" in navigator)) {
    return;
  }
  const served = navigator.serviceWorker.controller !== null;
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
      // Registering a worker registered before does not look for a new one: a page the worker
      // served asks for it.
      if (served) {
        registration.update().catch(() => {});
      }
    }, (error) => console.warn("Gorvanti: the page cannot be kept for offline play:", error.message));
  }
  Module.postRun = [].concat(Module.postRun || [], register);
})();
