// Keeps every file of the site (siteFiles, above) in a cache named after
// the site's contents (siteVersion), so that the book and the painter open
// with no network. A new site brings a new worker: it takes over at once
// and drops the caches of earlier sites.
"use strict";

const cacheName = `tintora-${siteVersion}`;

// A host may send "paint.html" on to "paint" (a redirect): a page load
// refuses an answer that came through a redirect, so what is kept is the
// file itself, made anew, under both its address and the one it was sent
// on to.
async function File_keep(cache, file)
{
    const request = new Request(file, { cache: "reload" });
    const response = await fetch(request);
    if (!response.ok)
        throw new Error(`${file}: ${response.status}`);
    if (!response.redirected)
        return cache.put(request, response);
    const body = await response.blob();
    const made = () => new Response(body, { status: 200, statusText: "OK", headers: response.headers });
    await cache.put(request, made());
    await cache.put(new Request(response.url), made());
}

// Each file straight from the server: a copy that the browser's own HTTP
// cache still holds may be of the release before.
self.addEventListener("install", event => {
    event.waitUntil(caches.open(cacheName)
        .then(cache => Promise.all(siteFiles.map(file => File_keep(cache, file))))
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
// A page load never gets an answer that came through a redirect (a kept
// one from an earlier release of this worker, say): it is made anew.
self.addEventListener("fetch", event => {
    if (event.request.method !== "GET")
        return;
    event.respondWith(caches.open(cacheName)
        .then(cache => cache.match(event.request, { ignoreSearch: true }))
        .then(async hit => {
            if (!hit)
                return fetch(event.request);
            if (event.request.mode !== "navigate" || !hit.redirected)
                return hit;
            return new Response(await hit.blob(), { status: 200, statusText: "OK", headers: hit.headers });
        }));
});
