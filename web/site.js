// What the book and the painter's page share: a person's own pictures in
// the browser's storage (IndexedDB), starting the painter's WebAssembly
// module (tintora.js) on a canvas, and the service worker that keeps the
// site for use offline.
"use strict";

const pictureFolder = "/pictures";

// --- Own pictures -------------------------------------------------------------
// One record per picture, keyed by its name: { name, bytes (the file as
// it was added), added (ms since 1970), thumbnail (a PNG data URL of its
// first view, or ""), message (the painter's refusal, or "") }.
function Own_open()
{
    return new Promise((resolve, reject) => {
        const request = indexedDB.open("tintora", 1);
        request.onupgradeneeded = () => request.result.createObjectStore("pictures", { keyPath: "name" });
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
}

async function Own_do(mode, work)
{
    const db = await Own_open();
    try {
        return await new Promise((resolve, reject) => {
            const transaction = db.transaction("pictures", mode);
            const request = work(transaction.objectStore("pictures"));
            transaction.oncomplete = () => resolve(request.result);
            transaction.onerror = () => reject(transaction.error);
        });
    } finally {
        db.close();
    }
}

const Own_all = () => Own_do("readonly", store => store.getAll());
const Own_get = name => Own_do("readonly", store => store.get(name));
const Own_put = record => Own_do("readwrite", store => store.put(record));
const Own_remove = name => Own_do("readwrite", store => store.delete(name));

// The name the painter gives a picture file: its stem up to the first dot,
// which is the name the program is started under.
const Picture_name = fileName => fileName.replace(/^.*[\\/]/, "").split(".")[0];

// --- The painter ----------------------------------------------------------------
// Hands each byte the program writes to `element`, decoded as UTF-8.
function Output_show(element)
{
    const decoder = new TextDecoder();
    return byte => {
        if (byte !== null && byte !== undefined)
            element.textContent += decoder.decode(new Uint8Array([byte]), { stream: true });
    };
}

// Starts the painter on `canvas` under the picture's `name` (argv[0]), with
// the picture file `bytes` in its working folder (none when null: the
// painter then says why it cannot open it). Resolves with the exit status.
// `onIdle()` is called each time the painter finds no input left to
// handle, every few milliseconds while it waits.
function Painter_run({ canvas, name, bytes, stdout, stderr, onIdle })
{
    return new Promise(resolve => {
        Tintora({
            canvas,
            thisProgram: name,
            arguments: [],
            stdout: Output_show(stdout),
            stderr: Output_show(stderr),
            // Emscripten's own remarks ("SDL_Quit called (and ignored)")
            // are not the program's output.
            print: text => console.log(text),
            printErr: text => console.log(text),
            preRun: [module => {
                module.FS.mkdir(pictureFolder);
                module.FS.chdir(pictureFolder);
                if (bytes && name && !name.includes("/"))
                    module.FS.writeFile(`${pictureFolder}/${name}.txt`, new Uint8Array(bytes));
            }],
            onIdle() {
                if (onIdle)
                    onIdle();
            },
            onExit: resolve,
            // The exit is reported through onExit; nothing to throw.
            quit: () => {},
        });
    });
}

// --- Offline ----------------------------------------------------------------------
if ("serviceWorker" in navigator && location.protocol !== "file:")
    navigator.serviceWorker.register("service-worker.js").catch(error => console.log("no service worker:", error));
