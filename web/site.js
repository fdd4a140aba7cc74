// What the book and the painter's page share: a person's own pictures in
// the browser's storage (IndexedDB), starting the painter's WebAssembly
// module (tintora.js) on a canvas, and the service worker that keeps the
// site for use offline.
"use strict";

const pictureFolder = "/pictures";

// --- Own pictures -------------------------------------------------------------
// One record per picture, keyed by its name: { name, bytes (the file as
// it was added), added (ms since 1970), and its card as Card_read made it:
// title, thumbnail (a PNG data URL, or ""), message (the painter's refusal,
// or "") }.
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

// Keeps `record` under its name, or, when an own picture has that name
// already, under the first free one of name-2, name-3 ...: a second file of
// the same name never replaces the first. Resolves with the name given.
const Own_add_new = record => Own_do("readwrite", store => {
    const given = { result: undefined };
    const names = store.getAllKeys();
    names.onsuccess = () => {
        const taken = new Set(names.result);
        let name = record.name;
        for (let k = 2; taken.has(name); ++k)
            name = `${record.name}-${k}`;
        given.result = name;
        store.add({ ...record, name });
    };
    return given;
});

// The name the painter gives a picture file: its stem up to the first dot,
// which is the name the program is started under.
const Picture_name = fileName => fileName.replace(/^.*[\\/]/, "").split(".")[0];

// --- Cards -------------------------------------------------------------------------
// A picture's card as the desktop book makes it, by the book's own code
// built for the browser (tintora-card.js): the picture read by the painter's
// reader, its title, and its thumbnail drawn at the size the book shows it.
let cardMaker = null;

function Card_maker()
{
    if (!cardMaker) {
        // Emscripten's SDL bounds every surface's drawing by the page's
        // canvas: the painter's window, 800 x 900.
        const canvas = document.createElement("canvas");
        canvas.width = 800;
        canvas.height = 900;
        cardMaker = TintoraCard({ canvas, print: () => {}, printErr: text => console.log(text) }).then(module => {
            module.FS.mkdir(pictureFolder);
            return module;
        });
    }
    return cardMaker;
}

// The card of the picture file `bytes` named `name`: { title, thumbnail (a
// PNG data URL, or "" when the painter refuses it), message (the painter's
// refusal, or "") }.
async function Card_read(name, bytes)
{
    const module = await Card_maker();
    const file = `${pictureFolder}/${name}.txt`;
    if (name.includes("/"))
        return { title: name, thumbnail: "", message: `Tintora: cannot read the picture file "${name}.txt"` };
    module.FS.writeFile(file, new Uint8Array(bytes));
    const drawn = module.ccall("Card_read", "number", ["string"], [name]);
    module.FS.unlink(file);
    const card = {
        title: module.UTF8ToString(module._Card_title()),
        thumbnail: "",
        message: module.UTF8ToString(module._Card_message()),
    };
    if (drawn) {
        const width = module._Card_width();
        const height = module._Card_height();
        const at = module._Card_pixels();
        const canvas = document.createElement("canvas");
        canvas.width = width;
        canvas.height = height;
        const pixels = new Uint8ClampedArray(module.HEAPU8.buffer, at, width * height * 4).slice();
        canvas.getContext("2d").putImageData(new ImageData(pixels, width, height), 0, 0);
        card.thumbnail = canvas.toDataURL("image/png");
    }
    return card;
}

// --- The painter ----------------------------------------------------------------
// The end of what the program writes, as the desktop book keeps it: a
// picture can make it write a line per byte of the file, far more than
// anyone reads, and the page would slow to a crawl redrawing it all.
const outputKept = 64 * 1024;

// Hands each byte the program writes to `element`, which shows the last
// outputKept bytes, decoded as UTF-8. A run of bytes costs one redraw, once
// the program lets the page have its turn.
function Output_show(element)
{
    const bytes = new Uint8Array(2 * outputKept);
    let length = 0;
    let cut = false;
    let due = false;
    const show = () => {
        due = false;
        let start = Math.max(0, length - outputKept);
        // Not from the middle of a character.
        for (let k = 0; k < 3 && start > 0 && start < length && (bytes[start] & 0xC0) === 0x80; ++k)
            ++start;
        // A character still being written waits for its last byte.
        const text = new TextDecoder().decode(bytes.subarray(start, length), { stream: true });
        element.textContent = text;
        // The page says that the start is not shown (site.css).
        element.dataset.cut = String(cut || start > 0);
    };
    return byte => {
        if (byte === null || byte === undefined)
            return;
        if (length === bytes.length) {
            bytes.copyWithin(0, length - outputKept, length);
            length = outputKept;
            cut = true;
        }
        bytes[length++] = byte;
        if (!due) {
            due = true;
            queueMicrotask(show);
        }
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
