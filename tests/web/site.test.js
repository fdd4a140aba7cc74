// Tintora's site in headless Chromium, as a visitor uses it: the painter's
// canvas read back pixel for pixel against the first view that the native
// checker draws with the window's own drawing code, presses and fills,
// what the program writes, the canvas at other sizes and a touch, the book
// with a person's own pictures, and the site with no network.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { cpSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import {
    Browser_start, Canvas_compare, Canvas_squares, Canvas_to_page, Painter_open, Painter_press, Painter_settled,
    Painter_settled_now, Page_now, Picture_text, Redirecting_server_start, Server_start, Square_centre, Swatch_centre,
    Thumbnail_compare, buildDir, siteDir,
} from "./harness.js";

const palette = [[230, 40, 40], [250, 200, 30], [40, 160, 60], [30, 90, 220], [150, 60, 170], [250, 140, 200],
                 [120, 80, 40], [20, 20, 20]];
const fixtures = {
    // No outline inside the ring: one region of 38 x 38 squares.
    empty: Picture_text(palette, "Empty", []),
    // Outline squares (k, k) for k = 1 ... 38, touching only at corners.
    diagonal: Picture_text(palette, "Diagonal", Array.from({ length: 38 }, (_, k) => " ".repeat(k) + "x")),
    // Two characters the reader does not expect, each a "WHAT?" line.
    what: Picture_text(palette, "What", ["  xxXx", "", "  x\tx"]),
    // 32,000 characters the reader does not expect on one line: a "WHAT?"
    // line each, 192,000 bytes in all.
    long: Picture_text(palette, "Long", ["X".repeat(32000)]),
    // A title with letters the desktop book's font cannot draw.
    accent: Picture_text(palette, "  Café crème ", [" x", "x x", " x"]),
    // Blank lines before the palette, past what any picture holds.
    endless: "\n".repeat((1 << 20) + 10) + Picture_text(palette, "Endless", []),
};

const work = mkdtempSync(path.join(tmpdir(), "tintora-web-test-"));
const fixtureFile = name => path.join(work, `${name}.txt`);
for (const [name, text] of Object.entries(fixtures))
    writeFileSync(fixtureFile(name), text);

// The native checker's first view of a fixture, as a data address. The
// checker ends with 1 for a picture it warns about (the diagonal's parts
// that touch at corners), 2 for one it cannot read.
function Preview_of(file)
{
    const png = path.join(work, "preview.png");
    const checked = spawnSync(path.join(buildDir, "native/tintora-check"), ["--preview", png, file]);
    assert.ok(checked.status === 0 || checked.status === 1, `tintora-check on ${file}: ${checked.stderr}`);
    return `data:image/png;base64,${readFileSync(png).toString("base64")}`;
}
const Preview_native = name => Preview_of(fixtureFile(name));
const Preview_bundled = name => Preview_of(path.join(siteDir, "pictures", `${name}.txt`));

// The squares a fill from (1, 1) paints on an empty board, in order: row by
// row down the board, snaking left and right.
const snake = [];
for (let j = 1; j <= 38; ++j)
    for (let k = 1; k <= 38; ++k)
        snake.push([j % 2 ? k : 39 - k, j]);

let server;
let chromium;
let page;

before(async () => {
    server = await Server_start();
    chromium = await Browser_start();
    page = await chromium.browser.newPage();
});
after(async () => {
    await chromium?.close();
    await server?.stop();
    rmSync(work, { recursive: true, force: true });
});

// Adds the fixtures `names`, or the files at `files`, with the book's file
// chooser, and waits until the book shows them.
async function Own_add(names, files = names.map(fixtureFile))
{
    await page.goto(server.url);
    await page.waitForSelector("body[data-ready=true]");
    const before = await page.$$eval(".card.own", all => all.length);
    const input = await page.$("#add");
    await input.uploadFile(...files);
    await page.waitForFunction(count => document.body.dataset.ready === "true" &&
                               document.querySelectorAll(".card.own").length >= count, { timeout: 180000 },
                               before + files.length);
}

// The board squares that the press trace names: "x, y" pairs run
// together, each x directly after the previous y.
function Trace_squares(trace)
{
    const numbers = trace.split(", ");
    const pairs = [];
    let x = Number(numbers[0]);
    for (let k = 1; k < numbers.length; ++k) {
        const y = Number(numbers[k].slice(0, 3));
        pairs.push([Math.floor(x / 20), Math.floor((y - 100) / 20)]);
        x = Number(numbers[k].slice(3));
    }
    return pairs;
}

const Text_of = (page, id) => page.$eval(`#${id}`, element => element.textContent);

describe("the painter", () => {
    before(() => Own_add(["empty", "diagonal", "what", "long"]));

    test("every bundled picture's first view is the native one, pixel for pixel", async () => {
        const names = readdirSync(path.join(siteDir, "pictures")).map(file => path.basename(file, ".txt"));
        assert.ok(names.length >= 10);
        for (const name of names) {
            await Painter_open(page, server.url, `picture=${name}&stay`);
            assert.deepEqual(await Canvas_compare(page, Preview_bundled(name)), { differing: 0, first: null }, name);
            assert.equal(await Text_of(page, "stderr"), "", name);
        }
    });

    test("a swatch press selects its colour; the fill spreads square by square in the painter's order", async () => {
        await Painter_open(page, server.url, "picture=empty&own&stay");
        await Painter_press(page, Swatch_centre(2));
        // The selected swatch is inset further: its frame shows where the
        // others already show their colour.
        const swatchEdges = await page.evaluate(() => {
            const context = document.getElementById("canvas").getContext("2d");
            return [0, 1, 2, 3].map(k => [...context.getImageData(k * 100 + 7, 50, 1, 1).data.slice(0, 3)]);
        });
        assert.deepEqual(swatchEdges, [palette[0], palette[1], [50, 50, 50], palette[3]]);

        const start = await Canvas_to_page(page, Square_centre(1, 1));
        const shown = `${palette[2].join(",")}`;
        await page.mouse.click(start.x, start.y);
        const clicked = await Page_now(page);
        // Read back while the fill runs: what is painted is always the
        // start of the order, and the page shows the fill part done.
        let midway = 0;
        for (let done = false; !done;) {
            done = await Painter_settled_now(page, clicked);
            const squares = await Canvas_squares(page);
            const painted = snake.filter(([i, j]) => squares[j * 40 + i] === shown).length;
            assert.deepEqual(snake.slice(0, painted).map(([i, j]) => squares[j * 40 + i]),
                             Array(painted).fill(shown), "the painted squares are the first ones of the order");
            assert.equal(squares.filter(c => c === shown).length, painted, "nothing outside the order is painted");
            if (painted > 0 && painted < snake.length)
                ++midway;
        }
        assert.ok(midway >= 1, `the fill was seen part done ${midway} times`);
        const board = await Canvas_compare(page, Preview_native("empty"), snake, palette[2]);
        // The toolbar differs from the first view by the selection only.
        assert.equal(board.differing, 2 * (91 * 91 - 81 * 81), board.first);
    });

    test("a fill stops at outline squares that touch only at their corners", async () => {
        await Painter_open(page, server.url, "picture=diagonal&own&stay");
        await Painter_press(page, Square_centre(1, 5));
        const below = [];
        for (let j = 1; j <= 38; ++j)
            for (let i = 1; i < j; ++i)
                below.push([i, j]);
        assert.equal(below.length, 703);
        assert.deepEqual(await Canvas_compare(page, Preview_native("diagonal"), below, palette[0]), { differing: 0, first: null });
    });

    test("standard output keeps the WHAT? lines and the press trace, run together", async () => {
        await Painter_open(page, server.url, "picture=what&own&stay");
        assert.equal(await Text_of(page, "stdout"), "WHAT?\nWHAT?\n");
        await Painter_press(page, { x: 410, y: 530 });
        await Painter_press(page, { x: 0, y: 101 });
        await Painter_press(page, Swatch_centre(0));
        assert.equal(await Text_of(page, "stdout"), "WHAT?\nWHAT?\n410, 5300, 101");
    });

    test("of a great deal of output, the page shows the end, as the desktop book keeps it", async () => {
        await Painter_open(page, server.url, "picture=long&own&stay");
        await Painter_press(page, { x: 410, y: 530 });
        const shown = await Text_of(page, "stdout");
        assert.ok(shown.length <= 64 * 1024 && shown.length > 60 * 1024, `${shown.length} characters shown`);
        assert.ok(shown.endsWith("WHAT?\nWHAT?\n410, 530"), shown.slice(-40));
        // From wherever the kept end starts, whole "WHAT?" lines.
        assert.match(shown.slice(shown.indexOf("\n") + 1), /^(WHAT\?\n)+410, 530$/);
        assert.equal(await page.$eval("#stdout", element => element.dataset.cut), "true");
    });

    test("a missing picture is refused with the painter's message, and the page stays", async () => {
        await Painter_open(page, server.url, "picture=nosuch");
        assert.equal(await page.evaluate(() => document.body.dataset.exitStatus), "2");
        assert.equal(await Text_of(page, "stderr"),
                     "Tintora: cannot read the picture file \"nosuch.txt\" in /pictures: No such file or directory\n");
        assert.match(page.url(), /paint\.html\?picture=nosuch$/);
    });

    test("Escape ends the program with status 0 and returns to the book; with &stay the page stays", async () => {
        await Painter_open(page, server.url, "picture=owl&stay");
        await page.keyboard.press("a");
        await page.keyboard.press("Escape");
        await page.waitForFunction(() => document.body.dataset.exitStatus);
        assert.equal(await page.evaluate(() => document.body.dataset.exitStatus), "0");
        assert.equal(await Text_of(page, "stdout"), "", "nothing but the program's own output");

        await Painter_open(page, server.url, "picture=owl");
        await Promise.all([page.waitForNavigation(), page.keyboard.press("Escape")]);
        assert.equal(page.url(), server.url);
        await page.waitForSelector("body[data-ready=true]");
    });

    for (const [size, viewport] of [["small", { width: 360, height: 640 }], ["large", { width: 1700, height: 2000 }]])
        test(`on a ${size} window the canvas keeps its shape and a press lands on its square`, async () => {
            await Painter_open(page, server.url, "picture=empty&own&stay", viewport);
            const shown = await page.$eval("#canvas", canvas => {
                const rect = canvas.getBoundingClientRect();
                return { width: rect.width, height: rect.height };
            });
            const scale = Math.min(viewport.width / 800, viewport.height / 900);
            assert.ok(Math.abs(shown.width - 800 * scale) < 1 && Math.abs(shown.height - 900 * scale) < 1,
                      JSON.stringify(shown));
            await Painter_press(page, Square_centre(20, 21));
            await Painter_press(page, Square_centre(37, 38));
            assert.deepEqual(Trace_squares(await Text_of(page, "stdout")), [[20, 21], [37, 38]]);
            const squares = await Canvas_squares(page);
            assert.equal(squares[38 * 40 + 37], palette[0].join(","), "the pressed region is painted");
        });

    test("a tap on a scaled canvas lands on the square under it", async () => {
        await page.setViewport({ width: 450, height: 600, hasTouch: true, isMobile: true });
        await page.goto(`${server.url}paint.html?picture=diagonal&own&stay`);
        await Painter_settled(page);
        for (const at of [Swatch_centre(3), Square_centre(30, 2)]) {
            const where = await Canvas_to_page(page, at);
            await page.touchscreen.tap(where.x, where.y);
            await Painter_settled(page, await Page_now(page));
        }
        assert.deepEqual(Trace_squares(await Text_of(page, "stdout")), [[30, 2]]);
        const squares = await Canvas_squares(page);
        assert.equal(squares[2 * 40 + 30], palette[3].join(","), "the region above the diagonal is painted");
        assert.equal(squares[30 * 40 + 2], "200,200,200", "the region below it is not");
    });
});

describe("the book", () => {
    test("shows every bundled picture with its title and opens it", async () => {
        await page.setViewport({ width: 1000, height: 800 });
        await page.goto(server.url);
        await page.waitForSelector("body[data-ready=true]");
        const cards = await page.$$eval(".card:not(.own)", all => all.map(card => ({
            title: card.querySelector(".title").textContent,
            href: card.getAttribute("href"),
        })));
        const owl = cards.find(card => card.href === "paint.html?picture=owl&keep");
        assert.equal(owl?.title, "An owl on a branch at night");
        assert.equal(cards.length, readdirSync(path.join(siteDir, "pictures")).length);
        await Promise.all([page.waitForNavigation(), page.click(".card[href='paint.html?picture=owl&keep']")]);
        await Painter_settled(page);
        assert.deepEqual(await Canvas_compare(page, Preview_bundled("owl")), { differing: 0, first: null });
    });

    for (const [size, viewport] of [["phone", { width: 390, height: 844 }], ["desktop", { width: 1280, height: 900 }]])
        test(`on a ${size}-sized window each thumbnail is the desktop book's, shown at the size it is drawn`, async () => {
            await page.setViewport(viewport);
            await page.goto(server.url);
            await page.waitForSelector("body[data-ready=true]");
            await page.waitForFunction(() => [...document.querySelectorAll(".card img")]
                .every(image => image.complete && image.naturalWidth > 0));
            const images = await page.$$eval(".card img", all => all.map(image => {
                const rect = image.getBoundingClientRect();
                return {
                    href: image.closest(".card").getAttribute("href"),
                    src: image.src,
                    sizes: [`${image.naturalWidth}x${image.naturalHeight}`, `${rect.width}x${rect.height}`],
                };
            }));
            assert.ok(images.length >= readdirSync(path.join(siteDir, "pictures")).length);
            for (const image of images)
                assert.deepEqual(image.sizes, ["160x180", "160x180"], `${image.href}: drawn, shown`);
            assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= viewport.width,
                      "the cards fit across the window");
            for (const image of images.filter(image => !image.href.includes("&own"))) {
                const name = new URLSearchParams(image.href.split("?")[1]).get("picture");
                assert.deepEqual(await Thumbnail_compare(page, image.src, Preview_bundled(name)),
                                 { size: "160x180", differing: 0, first: null }, name);
            }

            // The painter's canvas: smoothed when shrunk to the window,
            // pixel for pixel at its own size.
            await Painter_open(page, server.url, "picture=owl&stay", viewport);
            assert.equal(await page.$eval("#canvas", canvas => getComputedStyle(canvas).imageRendering),
                         size === "phone" ? "auto" : "pixelated");
        });

    test("keeps a person's own pictures across visits, first, with their titles, opens them exactly, and removes them",
         async () => {
        await Own_add(["diagonal", "endless", "accent"]);
        // Each later visit in a page of its own, which shares nothing with
        // the first but the browser's storage for the site.
        const Visit = async () => {
            const visit = await chromium.browser.newPage();
            await visit.setViewport({ width: 1000, height: 800 });
            await visit.goto(server.url);
            await visit.waitForSelector("body[data-ready=true]");
            return visit;
        };
        const later = await Visit();
        try {
            const cards = await later.$$eval(".card", all => all.map(card => ({
                href: card.getAttribute("href"),
                title: card.querySelector(".title").textContent,
                own: card.classList.contains("own"),
                message: card.querySelector(".message")?.textContent ?? "",
            })));
            const own = cards.filter(card => card.own);
            assert.deepEqual(cards.slice(0, own.length).map(card => card.own), Array(own.length).fill(true),
                             "own cards come first");
            // The title line, as the desktop book shows it; the name of a
            // picture the painter refuses, with its message.
            const Own_card = name => own.find(card => card.href === `paint.html?picture=${name}&own&keep`);
            assert.deepEqual([Own_card("diagonal")?.title, Own_card("diagonal")?.message], ["Diagonal", ""]);
            assert.deepEqual([Own_card("accent")?.title, Own_card("accent")?.message], ["Caf? cr?me", ""]);
            const refused = own.filter(card => card.href === null);
            assert.deepEqual(refused.map(card => [card.title, card.message]), [["endless",
                "Tintora: cannot read the picture file \"endless.txt\" in /pictures: it goes on for more than 1 MiB " +
                "before its grid ends, far longer than any picture"]]);

            // The own thumbnail is the desktop book's, of the painter's first view.
            const thumbnail = await later.$eval(".card.own[href='paint.html?picture=diagonal&own&keep'] img", image => image.src);
            await Promise.all([later.waitForNavigation(), later.click(".card[href='paint.html?picture=diagonal&own&keep']")]);
            await Painter_settled(later);
            const reference = Preview_native("diagonal");
            assert.deepEqual(await Canvas_compare(later, reference), { differing: 0, first: null });
            assert.deepEqual(await Thumbnail_compare(later, thumbnail, reference), { size: "160x180", differing: 0, first: null });

            await later.goto(server.url);
            await later.waitForSelector("body[data-ready=true]");
            for (const name of ["diagonal", "endless", "accent"]) {
                await later.click(`.card.own[data-picture='${name}'] button.remove`);
                await later.waitForFunction(n => !document.querySelector(`.card.own[data-picture='${n}']`), {}, name);
            }
        } finally {
            await later.close();
        }
        const last = await Visit();
        try {
            const left = await last.$$eval(".card.own", all => all.map(card => card.dataset.picture));
            assert.ok(!left.includes("diagonal") && !left.includes("endless") && !left.includes("accent"), left.join(", "));
        } finally {
            await last.close();
        }
    });

    test("two pictures of one name are both kept; one with a bundled picture's name shows in its place", async () => {
        // Three kites from three files named "kite", and an owl of one's own.
        const files = [["kite.txt", "diagonal"], ["again/kite.txt", "empty"], ["kite.v2.txt", "what"], ["owl.txt", "what"]]
            .map(([file, fixture]) => {
                const where = path.join(work, "named", file);
                mkdirSync(path.dirname(where), { recursive: true });
                writeFileSync(where, fixtures[fixture]);
                return where;
            });
        await Own_add(null, files.slice(0, 1));
        await Own_add(null, files.slice(1));
        const hrefs = await page.$$eval(".card", all => all.map(card => card.getAttribute("href")));
        for (const name of ["kite", "kite-2", "kite-3", "owl"])
            assert.equal(hrefs.filter(href => href === `paint.html?picture=${name}&own&keep`).length, 1, `own ${name}: ${hrefs}`);
        assert.ok(!hrefs.includes("paint.html?picture=owl&keep"), "the bundled owl is not beside the own one");

        // Each is its own file's picture, the first one unchanged.
        for (const [name, file] of [["kite", files[0]], ["kite-2", files[1]], ["kite-3", files[2]], ["owl", files[3]]]) {
            await Painter_open(page, server.url, `picture=${name}&own&stay`);
            assert.deepEqual(await Canvas_compare(page, Preview_of(file)), { differing: 0, first: null }, name);
        }

        await page.goto(server.url);
        await page.waitForSelector("body[data-ready=true]");
        for (const name of ["kite", "kite-2", "kite-3", "owl"]) {
            await page.click(`.card.own[href='paint.html?picture=${name}&own&keep'] button.remove`);
            await page.waitForFunction(n => !document.querySelector(`.card.own[href='paint.html?picture=${n}&own&keep']`), {}, name);
        }
        assert.equal(await page.$$eval(".card[href='paint.html?picture=owl&keep']", all => all.length), 1, "the bundled owl is back");
    });

    test("with the server stopped after a first visit, the book and a picture still open", async () => {
        const offline = await Server_start();
        const visitor = await Browser_start();
        try {
            const tab = await visitor.browser.newPage();
            await tab.goto(offline.url);
            await tab.waitForSelector("body[data-ready=true]");
            await tab.evaluate(() => navigator.serviceWorker.ready);
            await offline.stop();
            await tab.reload();
            await tab.waitForSelector("body[data-ready=true]");
            assert.equal(await tab.$$eval(".card", all => all.length), readdirSync(path.join(siteDir, "pictures")).length);
            await tab.goto(`${offline.url}paint.html?picture=house&stay`);
            await Painter_settled(tab);
            assert.deepEqual(await Canvas_compare(tab, Preview_bundled("house")), { differing: 0, first: null });
        } finally {
            await visitor.close();
            await offline.stop();
        }
    });

    test("on a host that sends x.html on to x, the book and a picture open after a first visit, online and offline", async () => {
        const host = await Redirecting_server_start();
        const visitor = await Browser_start();
        try {
            const tab = await visitor.browser.newPage();
            await tab.goto(`${host.url}index.html`);
            await tab.waitForSelector("body[data-ready=true]");
            await tab.evaluate(() => navigator.serviceWorker.ready);
            for (const online of [true, false]) {
                if (!online)
                    await host.stop();
                await tab.goto(host.url);
                await tab.waitForSelector("body[data-ready=true]");
                assert.equal(await tab.$$eval(".card", all => all.length), readdirSync(path.join(siteDir, "pictures")).length);
                // The book's own address for a picture, and the host's tidy one.
                for (const address of ["paint.html?picture=house&stay", "paint?picture=house&stay"]) {
                    const answer = await tab.goto(`${host.url}${address}`);
                    assert.ok(answer.ok(), `${address} ${online ? "online" : "offline"}: ${answer.status()}`);
                    await Painter_settled(tab);
                    assert.deepEqual(await Canvas_compare(tab, Preview_bundled("house")), { differing: 0, first: null },
                                     `${address} ${online ? "online" : "offline"}`);
                }
            }
        } finally {
            await visitor.close();
            await host.stop();
        }
    });

    test("a new release replaces the kept one on the next visit with a network", async () => {
        // The site as a host serves it, files dated as built.
        const host = mkdtempSync(path.join(tmpdir(), "tintora-web-release-"));
        cpSync(siteDir, path.join(host, "site"), { recursive: true, preserveTimestamps: true });
        const served = await Server_start(host);
        const visitor = await Browser_start();
        try {
            const tab = await visitor.browser.newPage();
            const owlTitle = () => tab.$eval(".card[href='paint.html?picture=owl&keep'] .title", title => title.textContent);
            await tab.goto(served.url);
            await tab.waitForSelector("body[data-ready=true]");
            await tab.evaluate(() => navigator.serviceWorker.ready);
            assert.equal(await owlTitle(), "An owl on a branch at night");

            // The next release: a title changed, so the site's contents,
            // and with them its version, differ.
            const list = path.join(host, "site/pictures.json");
            writeFileSync(list, readFileSync(list, "utf8").replace("An owl on a branch at night", "An owl, awake"));
            const worker = path.join(host, "site/service-worker.js");
            writeFileSync(worker, readFileSync(worker, "utf8").replace(/const siteVersion = "[0-9a-f]+";/,
                                                                       'const siteVersion = "next";'));
            await tab.reload();
            await tab.waitForFunction(() => document.querySelector(".card[href='paint.html?picture=owl&keep'] .title")
                ?.textContent === "An owl, awake", { timeout: 60000 });
            assert.deepEqual(await tab.evaluate(() => caches.keys()), ["tintora-next"]);
        } finally {
            await visitor.close();
            await served.stop();
            rmSync(host, { recursive: true, force: true });
        }
    });
});

// --- Kept colourings --------------------------------------------------------------
const uncoloured = "200,200,200";
const outline = "20,20,20";

// The first board square (row by row, as [i, j]) the canvas shows
// uncoloured.
async function Uncoloured_square(tab)
{
    const squares = await Canvas_squares(tab);
    const k = squares.findIndex(colour => colour === uncoloured);
    assert.ok(k >= 0, "an uncoloured square is left");
    return [k % 40, Math.floor(k / 40)];
}

// Two fills in two swatches: each in the first square still uncoloured.
async function Two_fills(tab)
{
    for (const swatch of [2, 4]) {
        await Painter_press(tab, Swatch_centre(swatch));
        await Painter_press(tab, Square_centre(...await Uncoloured_square(tab)));
    }
}

const Canvas_image = tab => tab.$eval("#canvas", canvas => canvas.toDataURL("image/png"));

// The kept colouring records of the site, by name, read in `tab`.
const Colourings_read = tab => tab.evaluate(async () =>
    Object.fromEntries((await Colouring_all()).map(record => [record.name, record.text])));

const Colouring_write = (tab, name, text) => tab.evaluate((name, text) =>
    Own_do("readwrite", store => store.put({ name, text, kept: Date.now() }), "colourings"), name, text);

// A card of the book, as shown: whether it is marked kept, its mark, its
// thumbnail.
async function Book_card(tab, base, name)
{
    await tab.goto(base);
    await tab.waitForSelector("body[data-ready=true]");
    return tab.$eval(`.card[data-picture='${name}']`, card => ({
        kept: card.dataset.kept,
        marked: Boolean(card.querySelector(".thumbnail .kept")),
        thumbnail: card.querySelector("img").src,
        again: Boolean(card.querySelector("button.again")),
    }));
}

// How many squares a colouring file's text shows coloured (digits).
const Coloured_cells = text => text.split("\n").slice(3, 41).join("").replace(/[^0-7]/g, "").length;

describe("kept colourings", () => {
    let keeper;
    let host;
    before(async () => {
        host = await Server_start();
        keeper = await Browser_start();
    });
    after(async () => {
        await keeper?.close();
        await host?.stop();
    });

    test("two fills are kept: the picture reopens as left, online and offline, and its card shows them marked",
         async () => {
        const tab = await keeper.browser.newPage();
        await tab.goto(host.url);
        await tab.waitForSelector("body[data-ready=true]");
        await tab.evaluate(() => navigator.serviceWorker.ready);
        assert.equal(await tab.$eval(".card[data-picture='house']", card => card.getAttribute("href")),
                     "paint.html?picture=house&keep", "the book asks the painter to keep");

        await Painter_open(tab, host.url, "picture=house&keep&stay");
        await Two_fills(tab);
        const left = await Canvas_image(tab);
        assert.notDeepEqual(await Canvas_compare(tab, Preview_bundled("house")), { differing: 0, first: null },
                            "the fills show");
        // Closed right after the last fill: a reload is the tab going away.
        await tab.reload();
        await Painter_settled(tab);
        assert.deepEqual(await Canvas_compare(tab, left), { differing: 0, first: null }, "reopened as left");
        const kept = (await Colourings_read(tab))["house.bundled.colouring"];
        assert.match(kept, /^tintora-colouring 1\ndigest [0-9a-f]{16}\nswatch 4\n/);
        assert.ok(Coloured_cells(kept) > 0, kept);

        // The card: the painter's first view of the picture as left, reduced.
        const card = await Book_card(tab, host.url, "house");
        assert.deepEqual([card.kept, card.marked, card.again], ["true", true, true]);
        assert.deepEqual(await Thumbnail_compare(tab, card.thumbnail, left), { size: "160x180", differing: 0, first: null });
        const plain = await Book_card(tab, host.url, "owl");
        assert.deepEqual([plain.kept, plain.marked, plain.again], ["false", false, false]);

        await host.stop();
        await tab.setOfflineMode(true);
        await Painter_open(tab, host.url, "picture=house&keep&stay");
        assert.deepEqual(await Canvas_compare(tab, left), { differing: 0, first: null }, "offline, as left");
        const offline = await Book_card(tab, host.url, "house");
        assert.deepEqual(await Thumbnail_compare(tab, offline.thumbnail, left), { size: "160x180", differing: 0, first: null });
        await tab.setOfflineMode(false);
        host = await Server_start();
        await tab.close();
    });

    test("a database kept by the release before, with own pictures and no colourings, keeps them and gains colourings",
         async () => {
        const visitor = await Browser_start();
        try {
            const tab = await visitor.browser.newPage();
            // A page of the site that opens no database itself.
            await tab.goto(`${host.url}pictures.json`);
            await tab.evaluate(text => new Promise((resolve, reject) => {
                const request = indexedDB.open("tintora", 1);
                request.onupgradeneeded = () => request.result.createObjectStore("pictures", { keyPath: "name" });
                request.onsuccess = () => {
                    const db = request.result;
                    const transaction = db.transaction("pictures", "readwrite");
                    transaction.objectStore("pictures").put({ name: "older", bytes: new TextEncoder().encode(text).buffer,
                                                              added: 1 });
                    transaction.oncomplete = () => { db.close(); resolve(); };
                    transaction.onerror = () => reject(transaction.error);
                };
                request.onerror = () => reject(request.error);
            }), fixtures.empty);
            const card = await Book_card(tab, host.url, "older");
            assert.deepEqual([card.kept, card.marked], ["false", false]);
            await Painter_open(tab, host.url, "picture=older&own&keep&stay");
            await Painter_press(tab, Square_centre(3, 3));
            const left = await Canvas_image(tab);
            await Painter_open(tab, host.url, "picture=older&own&keep&stay");
            assert.deepEqual(await Canvas_compare(tab, left), { differing: 0, first: null });
            assert.deepEqual(Object.keys(await Colourings_read(tab)), ["older.own.colouring"]);
            assert.equal((await Book_card(tab, host.url, "older")).kept, "true");
        } finally {
            await visitor.close();
        }
    });

    test("a fill is kept when its tab is closed at once, and the painter on its own keeps nothing", async () => {
        const tab = await keeper.browser.newPage();
        await Painter_open(tab, host.url, "picture=owl&keep&stay");
        await Painter_press(tab, Square_centre(...await Uncoloured_square(tab)));
        const left = await Canvas_image(tab);
        await tab.close({ runBeforeUnload: false });

        const later = await keeper.browser.newPage();
        await Painter_open(later, host.url, "picture=owl&keep&stay");
        assert.deepEqual(await Canvas_compare(later, left), { differing: 0, first: null });
        // Without &keep: the picture as drawn, and nothing written.
        const before = await Colourings_read(later);
        await Painter_open(later, host.url, "picture=owl&stay");
        assert.deepEqual(await Canvas_compare(later, Preview_bundled("owl")), { differing: 0, first: null });
        await Painter_press(later, Square_centre(...await Uncoloured_square(later)));
        assert.deepEqual(await Colourings_read(later), before);
        await later.close();
    });

    test("a picture changed since its colouring opens uncoloured, says why, and the colouring is set aside", async () => {
        const tab = await keeper.browser.newPage();
        const file = path.join(work, "changed", "kept.txt");
        mkdirSync(path.dirname(file), { recursive: true });
        const Own_replace = async fixture => {
            writeFileSync(file, fixtures[fixture]);
            await tab.goto(host.url);
            await tab.waitForSelector("body[data-ready=true]");
            if (await tab.$(".card.own[data-picture='kept']")) {
                await tab.click(".card.own[data-picture='kept'] button.remove");
                await tab.waitForFunction(() => !document.querySelector(".card.own[data-picture='kept']"));
            }
            await (await tab.$("#add")).uploadFile(file);
            await tab.waitForFunction(() => document.body.dataset.ready === "true" &&
                                      document.querySelector(".card.own[data-picture='kept']"), { timeout: 180000 });
        };
        await Own_replace("empty");
        await Painter_open(tab, host.url, "picture=kept&own&keep&stay");
        await Painter_press(tab, Square_centre(5, 5));
        const first = (await Colourings_read(tab))["kept.own.colouring"];
        assert.ok(Coloured_cells(first) === 38 * 38, first);

        // Same name, other outlines.
        await Own_replace("diagonal");
        const card = await Book_card(tab, host.url, "kept");
        assert.deepEqual([card.kept, card.marked], ["false", false]);
        await Painter_open(tab, host.url, "picture=kept&own&keep&stay");
        assert.deepEqual(await Canvas_compare(tab, Preview_native("diagonal")), { differing: 0, first: null });
        assert.match(await Text_of(tab, "stderr"), /^Tintora: the colouring kept in \/colourings\/kept\.own\.colouring cannot be used \(.*another version of this picture.*\); the picture opens uncoloured\n$/);
        await Painter_press(tab, Square_centre(2, 1));
        const records = await Colourings_read(tab);
        assert.equal(records["kept.own.colouring.unusable"], first, "the old colouring is set aside, not lost");
        assert.notEqual(records["kept.own.colouring"], first);
        await tab.close();
    });

    test("a record that is not a colouring opens the picture uncoloured with a message", async () => {
        const tab = await keeper.browser.newPage();
        await tab.goto(host.url);
        await tab.waitForSelector("body[data-ready=true]");
        for (const [text, why] of [["garbage\n", /cannot be used \(/], ["", /cannot be used \(/],
                                   ["tintora-colouring 1\ndigest 0\n", /cannot be used \(/]]) {
            await Colouring_write(tab, "tree.bundled.colouring", text);
            const card = await Book_card(tab, host.url, "tree");
            assert.deepEqual([card.kept, card.marked], ["false", false], JSON.stringify(text));
            await Painter_open(tab, host.url, "picture=tree&keep&stay");
            assert.deepEqual(await Canvas_compare(tab, Preview_bundled("tree")), { differing: 0, first: null });
            assert.match(await Text_of(tab, "stderr"), why, JSON.stringify(text));
            assert.equal(await tab.evaluate(() => document.body.dataset.exitStatus), undefined, "still running");
        }
        await tab.close();
    });

    test("start again asks first, then the card and the painter are uncoloured, from the book and from the painter",
         async () => {
        const tab = await keeper.browser.newPage();
        const asked = [];
        let answer = false;
        tab.on("dialog", dialog => {
            asked.push([dialog.type(), dialog.message()]);
            answer ? dialog.accept() : dialog.dismiss();
        });
        await Painter_open(tab, host.url, "picture=house&keep&stay");
        await Two_fills(tab);
        const left = await Canvas_image(tab);

        // From the book: Cancel keeps it, OK starts again.
        let card = await Book_card(tab, host.url, "house");
        assert.equal(card.kept, "true");
        await tab.click(".card[data-picture='house'] button.again");
        await tab.waitForFunction(() => document.body.dataset.ready === "true");
        assert.deepEqual(asked.splice(0), [["confirm", "Start A house with a tree, a garden path and the sun again?"]]);
        assert.ok((await Colourings_read(tab))["house.bundled.colouring"], "kept after Cancel");
        answer = true;
        await tab.click(".card[data-picture='house'] button.again");
        // The book shown anew: its card made again, unmarked.
        await tab.waitForFunction(() => document.body.dataset.ready === "true" &&
                                  document.querySelector(".card[data-picture='house']").dataset.kept === "false");
        assert.deepEqual(asked.splice(0), [["confirm", "Start A house with a tree, a garden path and the sun again?"]]);
        card = await tab.$eval(".card[data-picture='house']", card => ({
            kept: card.dataset.kept, again: Boolean(card.querySelector("button.again")), thumbnail: card.querySelector("img").src,
        }));
        assert.deepEqual([card.kept, card.again], ["false", false]);
        assert.deepEqual(await Thumbnail_compare(tab, card.thumbnail, Preview_bundled("house")),
                         { size: "160x180", differing: 0, first: null });
        await Painter_open(tab, host.url, "picture=house&keep&stay");
        assert.deepEqual(await Canvas_compare(tab, Preview_bundled("house")), { differing: 0, first: null });

        // From the painter's page: it opens anew, uncoloured.
        await Two_fills(tab);
        assert.deepEqual(await Canvas_compare(tab, left), { differing: 0, first: null }, "the same two fills again");
        await tab.waitForSelector("body[data-actions=true]");
        await Promise.all([tab.waitForNavigation(), tab.click("#actions button.again")]);
        assert.deepEqual(asked.splice(0), [["confirm", "Start A house with a tree, a garden path and the sun again?"]]);
        await Painter_settled(tab);
        assert.deepEqual(await Canvas_compare(tab, Preview_bundled("house")), { differing: 0, first: null });
        assert.equal((await Colourings_read(tab))["house.bundled.colouring"], undefined);
        await tab.close();
    });

    test("save image downloads the board as coloured, pixel for pixel the painter's, from the painter and the book",
         async () => {
        const downloads = mkdtempSync(path.join(tmpdir(), "tintora-web-downloads-"));
        const session = await keeper.browser.target().createCDPSession();
        await session.send("Browser.setDownloadBehavior", { behavior: "allowAndName", downloadPath: downloads, eventsEnabled: true });
        const Download = async click => {
            const done = new Promise(resolve => session.on("Browser.downloadProgress", event => {
                if (event.state === "completed" || event.state === "canceled")
                    resolve(event.state);
            }));
            // Each saved under its own id, whatever its name.
            const named = new Promise(resolve => session.once("Browser.downloadWillBegin", resolve));
            await click();
            assert.equal(await done, "completed");
            const { guid, suggestedFilename } = await named;
            return { name: suggestedFilename, png: `data:image/png;base64,${readFileSync(path.join(downloads, guid)).toString("base64")}` };
        };
        const tab = await keeper.browser.newPage();
        try {
            await Painter_open(tab, host.url, "picture=cat&keep&stay");
            await Two_fills(tab);
            await tab.waitForSelector("body[data-actions=true]");
            const today = await tab.evaluate(() => new Date().toLocaleDateString("sv"));
            const Board_compare = png => tab.evaluate(async png => {
                const image = new Image();
                image.src = png;
                await image.decode();
                const copy = document.createElement("canvas");
                copy.width = image.naturalWidth;
                copy.height = image.naturalHeight;
                copy.getContext("2d").drawImage(image, 0, 0);
                const got = copy.getContext("2d").getImageData(0, 0, copy.width, copy.height).data;
                const want = document.getElementById("canvas").getContext("2d").getImageData(0, 100, 800, 800).data;
                let differing = 0;
                for (let k = 0; k < want.length; ++k)
                    differing += got[k] !== want[k];
                return { size: `${copy.width}x${copy.height}`, differing };
            }, png);
            const title = readFileSync(path.join(siteDir, "pictures/cat.txt"), "utf8").split("\n")[8].trim();
            const fromPainter = await Download(() => tab.click("#actions button.save"));
            assert.equal(fromPainter.name, `${title} ${today}.png`);
            assert.deepEqual(await Board_compare(fromPainter.png), { size: "800x800", differing: 0 });

            // From the book, with the painter's canvas beside it to compare.
            const book = await keeper.browser.newPage();
            try {
                await book.goto(host.url);
                await book.waitForSelector("body[data-ready=true]");
                const fromBook = await Download(() => book.click(".card[data-picture='cat'] button.save"));
                assert.deepEqual(await Board_compare(fromBook.png), { size: "800x800", differing: 0 });
            } finally {
                await book.close();
            }
        } finally {
            await tab.close();
            rmSync(downloads, { recursive: true, force: true });
        }
    });

    test("print shows only the title and the picture, outlines black and uncoloured squares white", async () => {
        const tab = await keeper.browser.newPage();
        await tab.setViewport({ width: 800, height: 1100 });
        await Painter_open(tab, host.url, "picture=owl&keep&stay", { width: 800, height: 1100 });
        await Painter_press(tab, Square_centre(...await Uncoloured_square(tab)));
        const squares = await Canvas_squares(tab);
        // The browser's own print dialog does not open in a headless
        // browser; the page hands it the print view.
        await tab.evaluate(() => {
            window.print = () => { document.body.dataset.printed = String(Number(document.body.dataset.printed ?? 0) + 1); };
        });
        await tab.waitForSelector("body[data-actions=true]");
        await tab.click("#actions button.print");
        await tab.waitForSelector("body[data-printed='1']");
        await tab.emulateMediaType("print");
        const shown = await tab.evaluate(() => [...document.body.children]
            .filter(element => getComputedStyle(element).display !== "none").map(element => element.id || element.tagName));
        assert.deepEqual(shown, ["print"]);
        const title = readFileSync(path.join(siteDir, "pictures/owl.txt"), "utf8").split("\n")[8].trim();
        assert.equal(await tab.$eval("#print h1", heading => heading.textContent), title);
        // Each square's centre in the printed picture: black where the
        // painter shows an outline, white where it shows none, the colour
        // it shows otherwise.
        const printed = await tab.$eval("#print img", async image => {
            await image.decode();
            const copy = document.createElement("canvas");
            copy.width = image.naturalWidth;
            copy.height = image.naturalHeight;
            copy.getContext("2d").drawImage(image, 0, 0);
            const data = copy.getContext("2d").getImageData(0, 0, copy.width, copy.height).data;
            const rect = image.getBoundingClientRect();
            const centres = [];
            for (let j = 0; j < 40; ++j)
                for (let i = 0; i < 40; ++i) {
                    const at = ((j * 20 + 10) * copy.width + i * 20 + 10) * 4;
                    centres.push(`${data[at]},${data[at + 1]},${data[at + 2]}`);
                }
            return { size: `${copy.width}x${copy.height}`, shown: rect.width > 400 && rect.height > 400, centres };
        });
        assert.equal(printed.size, "800x800");
        assert.ok(printed.shown, "the picture fills the page's width");
        const want = squares.map(colour => colour === outline ? "0,0,0" : colour === uncoloured ? "255,255,255" : colour);
        assert.deepEqual(printed.centres, want);
        assert.ok(want.includes("0,0,0") && want.includes("255,255,255") && want.some(c => !["0,0,0", "255,255,255"].includes(c)));
        const shot = path.join(buildDir, "print-view.png");
        await tab.screenshot({ path: shot, fullPage: true });
        await tab.emulateMediaType(null);
        await tab.close();
    });
});
