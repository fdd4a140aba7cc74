// The painter's page: paint.html?picture=NAME runs the painter on the
// bundled picture NAME, paint.html?picture=NAME&own on the person's own
// picture NAME. &keep asks it to keep its colouring, as the desktop book
// does (the book's cards add it): the painter started on its own keeps
// nothing. When the program ends after Escape the page goes back to the
// book, unless the address has &stay; when it ends otherwise (a picture it
// refuses) its message stays in sight.
"use strict";

async function Picture_bytes(name, own)
{
    if (!name || name.includes("/"))
        return null;
    try {
        if (own) {
            const record = await Own_get(name);
            return record ? record.bytes : null;
        }
        const response = await fetch(`pictures/${encodeURIComponent(name)}.txt`);
        return response.ok ? await response.arrayBuffer() : null;
    } catch (error) {
        console.log(error);
        return null;
    }
}

// Carries what the painter keeps in its memory's colouring file into the
// site's IndexedDB, record `file` of "colourings". Each write is one
// transaction started at once, from the painter's own call, and committed
// at once: nothing waits for it, and the fill has ended before it starts.
// A page closed right after still has it stored: the transaction has been
// handed to the browser, and pagehide commits any not yet finished.
async function Keeper_open(file)
{
    const db = await Own_open();
    // A later release of the site opening a newer database: let it.
    db.onversionchange = () => db.close();
    const record = await new Promise((resolve, reject) => {
        const request = db.transaction("colourings").objectStore("colourings").get(file);
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
    const keeper = {
        text: record?.text,
        stopped: false,
        transaction: null,
        done: Promise.resolve(),
        write(text, unusable) {
            if (this.stopped || text === undefined)
                return;
            this.text = text;
            const transaction = db.transaction("colourings", "readwrite");
            const store = transaction.objectStore("colourings");
            if (unusable !== undefined)
                store.put({ name: `${file}.unusable`, text: unusable, kept: Date.now() });
            store.put({ name: file, text, kept: Date.now() });
            this.transaction = transaction;
            this.done = new Promise(resolve => {
                transaction.oncomplete = () => {
                    document.body.dataset.keptAt = String(performance.now());
                    if (this.transaction === transaction)
                        this.transaction = null;
                    resolve();
                };
                transaction.onerror = transaction.onabort = () => {
                    console.log(`tintora: keeping ${file} failed:`, transaction.error);
                    resolve();
                };
            });
            transaction.commit?.();
        },
        flush() {
            try {
                this.transaction?.commit?.();
            } catch {
                // Committing already.
            }
        },
    };
    for (const event of ["pagehide", "visibilitychange"])
        addEventListener(event, () => {
            if (event === "pagehide" || document.visibilityState === "hidden")
                keeper.flush();
        });
    return keeper;
}

async function Paint_start()
{
    const params = new URLSearchParams(location.search);
    const name = params.get("picture") || "";
    const own = params.has("own");
    document.title = name ? `${name} - Tintora` : "Tintora";
    const bytes = await Picture_bytes(name, own);
    const file = Colouring_file(name, own);
    const keeper = params.has("keep") && bytes && !name.includes("/") ? await Keeper_open(file) : null;
    if (keeper)
        Actions_show({ name, own, bytes, keeper });
    // How often the painter has found nothing to do, and when it last did
    // (performance.now()): all input given before that moment has been
    // handled.
    let waits = 0;
    const status = await Painter_run({
        canvas: document.getElementById("canvas"),
        name,
        bytes,
        stdout: document.getElementById("stdout"),
        stderr: document.getElementById("stderr"),
        onIdle: () => {
            document.body.dataset.idleAt = String(performance.now());
            document.body.dataset.waits = String(++waits);
        },
        keep: keeper ? { path: `${colouringFolder}/${file}`, text: keeper.text } : undefined,
        onKeep: keeper ? (text, unusable) => keeper.write(text, unusable) : undefined,
    });
    if (keeper)
        await keeper.done;
    document.body.dataset.exitStatus = String(status);
    if (status === 0 && !params.has("stay"))
        location.href = "./";
}

// Start again, Save image and Print under the canvas, once the picture's
// title is known; start again opens the picture anew, uncoloured.
async function Actions_show({ name, own, bytes, keeper })
{
    const { title } = await Card_read(name, bytes);
    const picture = {
        name, title, own,
        bytes: async () => bytes,
        colouring: async () => {
            await keeper.done;
            return keeper.text;
        },
        stop: async () => {
            keeper.stopped = true;
            await keeper.done;
        },
    };
    document.getElementById("actions").replaceChildren(Picture_actions(picture, true, async () => {
        location.reload();
    }));
    document.body.dataset.actions = "true";
}

// The canvas is shown as large as the window allows. At a whole number of
// the screen's pixels per pixel its squares stay sharp as they are; at any
// other size each grid line would come out one or two pixels wide, or not
// at all, so the canvas is smoothed instead.
function Canvas_sharpen(canvas)
{
    const scale = canvas.getBoundingClientRect().width * devicePixelRatio / canvas.width;
    canvas.classList.toggle("whole", scale >= 1 && Math.abs(scale - Math.round(scale)) < 0.001);
}

const canvas = document.getElementById("canvas");
new ResizeObserver(() => Canvas_sharpen(canvas)).observe(canvas);
Paint_start();
