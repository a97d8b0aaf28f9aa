// The page's service worker: it keeps this build's files in a cache of its own, serves them from
// there (so the page plays offline once visited), and when a new build's worker takes over, the
// old build's cache is deleted. The build writes the version and the files in (stamp_offline.cmake).
"use strict";

const VERSION = "@PAGE_VERSION@";
const FILES = [@PAGE_FILES@];
// Pages of other folders on the same server keep caches of their own.
const PREFIX = "gorvanti " + self.registration.scope + " ";
const CACHE = PREFIX + VERSION;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// A page asks a new worker to take over once it has loaded all of its own files, so that no page
// ever mixes the files of two builds; the new files serve the next start.
self.addEventListener("message", (event) => {
  if (event.data === "take-over") {
    self.skipWaiting();
  }
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") {
    return;
  }
  // Looked up by name, not opened: opening the cache of a worker a new build has replaced would
  // make it anew, empty, after the new worker deleted it.
  event.respondWith((async () => {
    const options = { cacheName: CACHE, ignoreSearch: true };
    const kept = await caches.match(event.request, options) ||
                 (event.request.mode === "navigate" && await caches.match("./", options));
    return kept || fetch(event.request);
  })());
});
