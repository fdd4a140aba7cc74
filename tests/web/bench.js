// Figures for the site, in headless Chromium (scripts/bench-web runs this
// against DIR/bench, the site with the floor beside it):
// - a fill of a whole empty interior (1444 squares) from the press to the
//   painter's next wait, and the frames the page showed meanwhile;
// - the floor in the same page: 1444 x (1600 boxes + flip) with no turn
//   for the page (bench/flip_floor.cpp as WebAssembly);
// - the time from opening paint.html to the first picture, first visit and
//   from the offline cache;
// - the same for pictures with a line of 32,000 and of 1,000,000 characters
//   that the reader answers with "WHAT?", a line of output each;
// - the book from opening to every thumbnail drawn;
// - the whole-interior fill again with its colouring kept (&keep), and the
//   time from the fill's end to the colouring stored in IndexedDB.
import { writeFileSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { Browser_start, Canvas_to_page, Picture_text, Server_start, Square_centre } from "./harness.js";

const repeats = Number(process.env.TINTORA_BENCH_REPEATS || 3);
const work = mkdtempSync(path.join(tmpdir(), "tintora-web-bench-"));
const empty = path.join(work, "empty.txt");
writeFileSync(empty, Picture_text(Array(8).fill([30, 90, 220]), "Empty", []));
const long = [32000, 1000000].map(count => {
    const file = path.join(work, `long${count}.txt`);
    writeFileSync(file, Picture_text(Array(8).fill([30, 90, 220]), "Long", ["X".repeat(count)]));
    return { count, file, name: `long${count}` };
});

// Records, from the page's first moment, each time the painter finds no
// input left: the first is its first picture, the first after a press the
// end of that press's fill.
function Idle_watch()
{
    window.benchIdle = [];
    new MutationObserver(() => window.benchIdle.push(performance.now()))
        .observe(document, { subtree: true, attributeFilter: ["data-waits"] });
}

const server = await Server_start();
const chromium = await Browser_start();
try {
    const page = await chromium.browser.newPage();
    await page.evaluateOnNewDocument(Idle_watch);
    await page.setViewport({ width: 800, height: 900 });

    const firstPicture = [];
    for (let k = 0; k < 2; ++k) {
        await page.goto(`${server.url}paint.html?picture=house&stay`);
        await page.waitForFunction(() => window.benchIdle.length > 0);
        firstPicture.push(await page.evaluate(() => window.benchIdle[0]));
    }
    console.log(`time to first picture (house): first visit ${firstPicture[0].toFixed(0)} ms, ` +
                `again (offline cache) ${firstPicture[1].toFixed(0)} ms`);

    const book = [];
    for (let k = 0; k < 2; ++k) {
        await page.goto(server.url);
        await page.waitForSelector("body[data-ready=true]");
        book.push(await page.evaluate(() => performance.now()));
    }
    console.log(`the book with every thumbnail drawn: first visit ${book[0].toFixed(0)} ms, ` +
                `again (offline cache) ${book[1].toFixed(0)} ms`);

    await (await page.$("#add")).uploadFile(empty, ...long.map(picture => picture.file));
    await page.waitForFunction(count => document.body.dataset.ready === "true" &&
                               document.querySelectorAll(".card.own").length >= count, { timeout: 600000 }, 1 + long.length);
    for (const picture of long) {
        await page.goto(`${server.url}paint.html?picture=${picture.name}&own&stay`);
        await page.waitForFunction(() => window.benchIdle.length > 0, { timeout: 600000 });
        const ms = await page.evaluate(() => window.benchIdle[0]);
        const shown = await page.$eval("#stdout", element => element.textContent.length);
        console.log(`a line of ${picture.count} unexpected characters: first picture ${ms.toFixed(0)} ms, ` +
                    `${shown} characters of output shown`);
    }

    for (let run = 0; run < 2 * repeats; ++run) {
        const keep = run >= repeats;
        if (keep && run === repeats)
            await page.evaluate(() => typeof Colouring_remove === "function" && Colouring_remove(Colouring_file("empty", true)));
        await page.goto(`${server.url}paint.html?picture=empty&own&stay${keep ? "&keep" : ""}`);
        await page.waitForFunction(() => window.benchIdle.length > 0);
        const at = await Canvas_to_page(page, Square_centre(1, 1));
        await page.evaluate(() => {
            window.benchFrames = 0;
            const count = () => {
                ++window.benchFrames;
                if (!window.benchFillEnd)
                    requestAnimationFrame(count);
            };
            document.getElementById("canvas").addEventListener("mousedown", () => {
                window.benchPress = performance.now();
                window.benchFrames = 0;
                window.benchSeen = window.benchIdle.length;
                requestAnimationFrame(count);
            }, { capture: true, once: true });
        });
        await page.mouse.click(at.x, at.y);
        const fill = await page.waitForFunction(() => {
            const end = window.benchIdle.find(t => t > window.benchPress);
            if (!end)
                return null;
            window.benchFillEnd = end;
            return { ms: end - window.benchPress, frames: window.benchFrames, end };
        }, { polling: 50, timeout: 120000 }).then(handle => handle.jsonValue());
        const floor = await page.evaluate(async () => {
            const script = document.createElement("script");
            script.src = "flip_floor.js";
            await new Promise(resolve => {
                script.onload = resolve;
                document.head.append(script);
            });
            const canvas = document.createElement("canvas");
            document.body.append(canvas);
            // Its first line; Emscripten's own remarks follow it.
            const lines = [];
            await new Promise(resolve => FlipFloor({
                canvas, arguments: [], print: text => lines.push(text), printErr: () => {},
                onExit: resolve, quit: () => {},
            }));
            return lines[0].trim().split(/\s+/).map(ns => Number(ns) / 1e6);
        });
        let stored = "";
        if (keep) {
            // Stored once the page's transaction completes (paint.js).
            const keptAt = await page.waitForFunction(() => Number(document.body.dataset.keptAt) || null,
                                                      { polling: 10, timeout: 10000 })
                .then(handle => handle.jsonValue(), () => null);
            stored = keptAt ? `, stored ${(keptAt - fill.end).toFixed(1)} ms after the fill` : ", never stored";
            // The next run fills the empty board again.
            await page.evaluate(() => typeof Colouring_remove === "function" && Colouring_remove(Colouring_file("empty", true)));
        }
        console.log(`whole-interior fill${keep ? " kept" : ""}: ${fill.ms.toFixed(0)} ms, ${(fill.frames / fill.ms * 1000).toFixed(1)} frames/s ` +
                    `shown; floor in the same page ${floor[0].toFixed(0)} ms (1444 x 1600 boxes + flip; ` +
                    `least ${floor[1].toFixed(0)} ms, flips alone ${floor[2].toFixed(0)} ms): ` +
                    `${(fill.ms / floor[0]).toFixed(3)} x the floor${stored}`);
    }
} finally {
    await chromium.close();
    await server.stop();
    rmSync(work, { recursive: true, force: true });
}
