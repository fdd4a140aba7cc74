// The painter's page: paint.html?picture=NAME runs the painter on the
// bundled picture NAME, paint.html?picture=NAME&own on the person's own
// picture NAME. When the program ends after Escape the page goes back to
// the book, unless the address has &stay; when it ends otherwise (a picture
// it refuses) its message stays in sight.
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

async function Paint_start()
{
    const params = new URLSearchParams(location.search);
    const name = params.get("picture") || "";
    const own = params.has("own");
    document.title = name ? `${name} - Tintora` : "Tintora";
    const bytes = await Picture_bytes(name, own);
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
    });
    document.body.dataset.exitStatus = String(status);
    if (status === 0 && !params.has("stay"))
        location.href = "./";
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
