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
//
// Version 2 adds the store "colourings" (Colouring_* below); a database of
// version 1 keeps its pictures and gains the store when first opened.
function Own_open()
{
    return new Promise((resolve, reject) => {
        const request = indexedDB.open("tintora", 2);
        request.onupgradeneeded = () => {
            const db = request.result;
            for (const store of ["pictures", "colourings"])
                if (!db.objectStoreNames.contains(store))
                    db.createObjectStore(store, { keyPath: "name" });
        };
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
        // Another page of the site holds version 1 open: it is told to
        // let go (Own_open's connections are short) and this one waits.
        request.onblocked = () => console.log("tintora: waiting for another page to close the database");
    });
}

async function Own_do(mode, work, storeName = "pictures")
{
    const db = await Own_open();
    try {
        return await new Promise((resolve, reject) => {
            const transaction = db.transaction(storeName, mode);
            const request = work(transaction.objectStore(storeName));
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

// --- Kept colourings ---------------------------------------------------------
// One record per file the desktop painter would keep in its colourings
// folder, keyed by that file's name: { name (NAME.own.colouring,
// NAME.bundled.colouring, or either with ".unusable"), text (the file's
// text, "tintora-colouring 1" ...), kept (ms since 1970) }. The painter's
// own code reads and writes that text in a folder of its module's memory
// (colouringFolder); the pages only carry it to and from here.
const colouringFolder = "/colourings";
const Colouring_file = (name, own) => `${name}.${own ? "own" : "bundled"}.colouring`;
const Colouring_all = () => Own_do("readonly", store => store.getAll(), "colourings");
const Colouring_get = file => Own_do("readonly", store => store.get(file), "colourings");
const Colouring_remove = file => Own_do("readwrite", store => store.delete(file), "colourings");

// A module's file system with the kept colouring `text` of `file` in
// colouringFolder, or none when `text` is undefined; resolves with its path.
function Colouring_place(FS, file, text)
{
    if (!FS.analyzePath(colouringFolder).exists)
        FS.mkdir(colouringFolder);
    const at = `${colouringFolder}/${file}`;
    if (FS.analyzePath(at).exists)
        FS.unlink(at);
    if (text !== undefined)
        FS.writeFile(at, text);
    return at;
}

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

// A canvas holding `width` x `height` pixels of the module's memory at `at`.
function Canvas_of(module, at, width, height)
{
    const canvas = document.createElement("canvas");
    canvas.width = width;
    canvas.height = height;
    const pixels = new Uint8ClampedArray(module.HEAPU8.buffer, at, width * height * 4).slice();
    canvas.getContext("2d").putImageData(new ImageData(pixels, width, height), 0, 0);
    return canvas;
}

// Runs `work(module, colouringPath)` with the picture file `bytes` named
// `name` in the module's pictureFolder and its kept colouring `colouring`
// (a file's text, or undefined) beside it, and takes both away after.
async function Card_with(name, bytes, colouring, work)
{
    const module = await Card_maker();
    const file = `${pictureFolder}/${name}.txt`;
    module.FS.writeFile(file, new Uint8Array(bytes));
    const colouringPath = colouring === undefined ? "" : Colouring_place(module.FS, "card.colouring", colouring);
    try {
        return work(module, colouringPath);
    } finally {
        module.FS.unlink(file);
        if (colouringPath)
            module.FS.unlink(colouringPath);
    }
}

// The card of the picture file `bytes` named `name`, with the kept
// colouring `colouring` laid over it as the painter would open it (a
// file's text, or undefined): { title, thumbnail (a PNG data URL, or ""
// when the painter refuses it), message (the painter's refusal, or ""),
// kept (the thumbnail shows the colouring) }.
async function Card_read(name, bytes, colouring)
{
    if (name.includes("/"))
        return { title: name, thumbnail: "", message: `Tintora: cannot read the picture file "${name}.txt"`, kept: false };
    return Card_with(name, bytes, colouring, (module, colouringPath) => {
        const drawn = module.ccall("Card_read", "number", ["string", "string"], [name, colouringPath]);
        const card = {
            title: module.UTF8ToString(module._Card_title()),
            thumbnail: "",
            message: module.UTF8ToString(module._Card_message()),
            kept: Boolean(module._Card_kept()),
        };
        if (drawn)
            card.thumbnail = Canvas_of(module, module._Card_pixels(), module._Card_width(), module._Card_height())
                .toDataURL("image/png");
        return card;
    });
}

// The board of the picture `bytes` named `name` with its kept colouring
// laid over it, as the desktop book saves it, or drawn for paper when
// `forPrint`: a canvas, or a string saying why the painter refuses it.
async function Board_draw(name, bytes, colouring, forPrint)
{
    if (name.includes("/"))
        return `Tintora: cannot read the picture file "${name}.txt"`;
    return Card_with(name, bytes, colouring, (module, colouringPath) => {
        if (!module.ccall("Card_board", "number", ["string", "string", "number"], [name, colouringPath, forPrint ? 1 : 0]))
            return module.UTF8ToString(module._Card_message());
        return Canvas_of(module, module._Card_board_pixels(), module._Card_board_width(), module._Card_board_height());
    });
}

// --- Start again, save, print -------------------------------------------------
// What the book's cards and the painter's page both offer for a picture:
// `picture` is { name, title, own, bytes () and colouring (), resolving
// with its file's bytes and its kept colouring's text (or undefined), and
// on the painter's page stop (), which ends its keeping }.
const Today = () => new Date().toLocaleDateString("sv");   // YYYY-MM-DD, in the person's own time

// Asks as the desktop book does; resolves true when the colouring is gone.
async function Start_again(picture)
{
    if (!confirm(`Start ${picture.title} again?`))
        return false;
    // A painter on this page keeps nothing more.
    await picture.stop?.();
    await Colouring_remove(Colouring_file(picture.name, picture.own));
    return true;
}

// A download of the picture as coloured, drawn by the desktop book's
// export code (Picture_board_view) and made a PNG by the canvas, which
// keeps every pixel as drawn.
async function Image_save(picture)
{
    const board = await Board_draw(picture.name, await picture.bytes(), await picture.colouring(), false);
    if (typeof board === "string")
        return alert(board);
    const blob = await new Promise(resolve => board.toBlob(resolve, "image/png"));
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = `${picture.title || picture.name} ${Today()}.png`;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// The browser's own printing of a page holding only the title and the
// picture drawn for paper (#print, shown by site.css's print styles).
async function Picture_print(picture)
{
    const board = await Board_draw(picture.name, await picture.bytes(), await picture.colouring(), true);
    if (typeof board === "string")
        return alert(board);
    let view = document.getElementById("print");
    if (!view) {
        view = document.createElement("section");
        view.id = "print";
        document.body.append(view);
    }
    const heading = document.createElement("h1");
    heading.textContent = picture.title;
    const image = document.createElement("img");
    image.src = board.toDataURL("image/png");
    image.alt = picture.title;
    await image.decode();
    view.replaceChildren(heading, image);
    document.body.dataset.printReady = picture.name;
    window.print();
}

// The three buttons, for `picture`; `started` runs after a start again.
function Picture_actions(picture, kept, started)
{
    const actions = document.createElement("div");
    actions.className = "actions";
    const add = (label, name, act) => {
        const button = document.createElement("button");
        button.type = "button";
        button.className = name;
        button.textContent = label;
        button.setAttribute("aria-label", `${label}: ${picture.title}`);
        button.dataset.picture = picture.name;
        button.addEventListener("click", event => {
            event.preventDefault();
            act();
        });
        actions.append(button);
    };
    if (kept)
        add("Start again", "again", async () => {
            if (await Start_again(picture))
                await started();
        });
    add("Save image", "save", () => Image_save(picture));
    add("Print", "print", () => Picture_print(picture));
    return actions;
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
//
// `keep` ({ path, text }) asks the painter to keep its colouring in the
// file `path` of its memory, which starts with `text` (none when undefined);
// `onKeep(text)` is called with the file's text each time the painter has
// written it, and with `unusable` when it set aside a file it could not use.
function Painter_run({ canvas, name, bytes, stdout, stderr, onIdle, keep, onKeep })
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
                if (keep) {
                    Colouring_place(module.FS, keep.path.split("/").pop(), keep.text);
                    module.ENV.TINTORA_KEEP = keep.path;
                }
            }],
            onKeep(path) {
                const FS = this.FS;
                const read = at => FS.analyzePath(at).exists ? FS.readFile(at, { encoding: "utf8" }) : undefined;
                if (onKeep)
                    onKeep(read(path), read(`${path}.unusable`));
            },
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
