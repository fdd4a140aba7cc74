// Keeps every file of the site (siteFiles, above) in a cache named after
// the site's contents (siteVersion), so that the book and the painter open
// with no network. A new site brings a new worker: it takes over at once
// and drops the caches of earlier sites.
"use strict";

const cacheName = `tintora-${siteVersion}`;

// Each file straight from the server: a copy that the browser's own HTTP
// cache still holds may be of the release before.
self.addEventListener("install", event => {
    event.waitUntil(caches.open(cacheName)
        .then(cache => cache.addAll(siteFiles.map(file => new Request(file, { cache: "reload" }))))
        .then(() => self.skipWaiting()));
});

self.addEventListener("activate", event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name.startsWith("tintora-") && name !== cacheName)
            .map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The site's own files from the cache (paint.html whatever its query);
// anything else, such as a picture that is not bundled, from the network.
self.addEventListener("fetch", event => {
    if (event.request.method !== "GET")
        return;
    event.respondWith(caches.open(cacheName)
        .then(cache => cache.match(event.request, { ignoreSearch: true }))
        .then(hit => hit || fetch(event.request)));
});
