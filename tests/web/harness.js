// The site served by scripts/serve-web on a port of its own, and Debian's
// Chromium, headless, with a fresh profile: what a new visitor has.
import { spawn } from "node:child_process";
import { createReadStream, mkdtempSync, rmSync, statSync } from "node:fs";
import http from "node:http";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
export const buildDir = path.resolve(process.env.TINTORA_WEB_BUILD || path.join(top, "build-web"));
export const siteDir = path.join(buildDir, "site");

// Starts scripts/serve-web on the site in `dir`/site, on a port the system
// picks; resolves with the server's address and a stop function.
export function Server_start(dir = buildDir)
{
    return new Promise((resolve, reject) => {
        const server = spawn(path.join(top, "scripts/serve-web"), [dir], {
            env: { ...process.env, TINTORA_WEB_PORT: "0" },
            stdio: ["ignore", "pipe", "pipe"],
        });
        let said = "";
        server.stdout.on("data", chunk => {
            said += chunk;
            const port = /port (\d+)/.exec(said);
            if (port)
                resolve({
                    url: `http://127.0.0.1:${port[1]}/`,
                    stop: () => new Promise(done => {
                        // Ended already: by itself, or by a signal.
                        if (server.exitCode !== null || server.signalCode !== null)
                            return done();
                        server.once("exit", done);
                        server.kill("SIGTERM");
                    }),
                });
        });
        server.stderr.on("data", () => {});
        server.once("exit", code => reject(new Error(`serve-web ended (${code}) before serving: ${said}`)));
    });
}

// A host that tidies its addresses, as several static hosts do by default:
// "x.html" answers 308 to "x" (and "index.html" to the folder), which is
// served from "x.html". Same answer as Server_start's otherwise.
const contentTypes = {
    ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".css": "text/css",
    ".json": "application/json", ".png": "image/png", ".svg": "image/svg+xml",
    ".webmanifest": "application/manifest+json", ".txt": "text/plain",
};

export function Redirecting_server_start(dir = buildDir)
{
    const site = path.join(dir, "site");
    const server = http.createServer((request, response) => {
        const address = new URL(request.url, "http://host/");
        const tidy = address.pathname.replace(/(^|\/)index\.html$/, "$1").replace(/\.html$/, "");
        if (tidy !== address.pathname) {
            response.writeHead(308, { Location: tidy + address.search });
            return response.end();
        }
        let file = path.join(site, decodeURIComponent(address.pathname));
        if (address.pathname.endsWith("/"))
            file = path.join(file, "index.html");
        else if (!path.extname(file))
            file += ".html";
        let found = null;
        try {
            found = file.startsWith(site) && statSync(file).isFile() ? file : null;
        } catch {
            found = null;
        }
        if (!found) {
            response.writeHead(404, { "Content-Type": "text/plain" });
            return response.end("not found");
        }
        response.writeHead(200, { "Content-Type": contentTypes[path.extname(found)] ?? "application/octet-stream" });
        createReadStream(found).pipe(response);
    });
    return new Promise(resolve => server.listen(0, "127.0.0.1", () => resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        stop: () => new Promise(done => {
            if (!server.listening)
                return done();
            server.close(() => done());
            server.closeAllConnections();
        }),
    })));
}

export async function Browser_start()
{
    const profile = mkdtempSync(path.join(tmpdir(), "tintora-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.TINTORA_CHROMIUM || "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
               "--disable-sync", "--no-first-run"],
    });
    return {
        browser,
        close: async () => {
            await browser.close();
            rmSync(profile, { recursive: true, force: true });
        },
    };
}

// Geometry of the painter's window: a toolbar strip of 100 pixels, then a
// board of 40 x 40 squares of 20 pixels. The centre of square (i, j) and of
// swatch k, in canvas pixels.
export const Square_centre = (i, j) => ({ x: i * 20 + 10, y: 100 + j * 20 + 10 });
export const Swatch_centre = k => ({ x: k * 100 + 50, y: 50 });

// Opens the painter on `query` and waits until it waits for input (it has
// shown its picture) or has ended.
export async function Painter_open(page, base, query, viewport = { width: 800, height: 900 })
{
    await page.setViewport(viewport);
    await page.goto(`${base}paint.html?${query}`);
    await Painter_settled(page);
}

// In the page: whether the painter has found no input left after the
// page's moment `since` (performance.now()), so that it has handled all
// input given before then, or has ended.
const Idle_since = since => Number(document.body.dataset.idleAt ?? -Infinity) > since ||
                            Boolean(document.body.dataset.exitStatus);

// Whether the painter has settled since `since`, now.
export const Painter_settled_now = (page, since) => page.evaluate(Idle_since, since);

// Waits until the painter has settled since `since`; without it, until it
// has first waited for input (shown its picture) or has ended.
export async function Painter_settled(page, since = -1)
{
    await page.waitForFunction(Idle_since, { timeout: 180000, polling: 20 }, since);
}

// The page's clock now: input given before it is settled by Painter_settled.
export const Page_now = page => page.evaluate(() => performance.now());

// Where canvas pixel (x, y) is on the page, at whatever scale the canvas is
// shown.
export async function Canvas_to_page(page, { x, y })
{
    return page.evaluate(([x, y]) => {
        const canvas = document.getElementById("canvas");
        const rect = canvas.getBoundingClientRect();
        return { x: rect.left + (x + 0.5) * rect.width / canvas.width, y: rect.top + (y + 0.5) * rect.height / canvas.height };
    }, [x, y]);
}

// Presses at canvas pixel `at` and waits until the painter has handled it.
// The click has reached the page when page.mouse.click resolves.
export async function Painter_press(page, at)
{
    const where = await Canvas_to_page(page, at);
    await page.mouse.click(where.x, where.y);
    await Painter_settled(page, await Page_now(page));
}

// The colour of every square of the board (its centre pixel) as "r,g,b",
// indexed [j * 40 + i], read back from the canvas.
export function Canvas_squares(page)
{
    return page.evaluate(() => {
        const canvas = document.getElementById("canvas");
        const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        const squares = [];
        for (let j = 0; j < 40; ++j)
            for (let i = 0; i < 40; ++i) {
                const at = ((100 + j * 20 + 10) * canvas.width + i * 20 + 10) * 4;
                squares.push(`${pixels[at]},${pixels[at + 1]},${pixels[at + 2]}`);
            }
        return squares;
    });
}

// Compares the canvas with the PNG at `reference` (a site address) pixel
// for pixel, where each square listed in `painted` ([i, j] pairs) is
// expected in `colour` ([r, g, b]) instead, all 19 x 19 pixels that a
// square covers. Resolves with the number of differing pixels and the
// first of them.
export function Canvas_compare(page, reference, painted = [], colour = null)
{
    return page.evaluate(async (reference, painted, colour) => {
        const image = new Image();
        image.src = reference;
        await image.decode();
        const expected = document.createElement("canvas");
        expected.width = image.width;
        expected.height = image.height;
        const context = expected.getContext("2d");
        context.drawImage(image, 0, 0);
        if (painted.length) {
            context.fillStyle = `rgb(${colour.join(",")})`;
            for (const [i, j] of painted)
                context.fillRect(i * 20 + 1, 100 + j * 20 + 1, 19, 19);
        }
        const canvas = document.getElementById("canvas");
        if (canvas.width !== expected.width || canvas.height !== expected.height)
            return { differing: -1, first: `canvas ${canvas.width}x${canvas.height}, reference ${expected.width}x${expected.height}` };
        const want = context.getImageData(0, 0, expected.width, expected.height).data;
        const got = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        let differing = 0;
        let first = null;
        for (let k = 0; k < want.length; k += 4)
            if (want[k] !== got[k] || want[k + 1] !== got[k + 1] || want[k + 2] !== got[k + 2]) {
                if (!first) {
                    const p = k / 4;
                    first = `(${p % canvas.width}, ${Math.floor(p / canvas.width)}): ` +
                            `${got.slice(k, k + 3).join(",")} where ${want.slice(k, k + 3).join(",")} was expected`;
                }
                ++differing;
            }
        return { differing, first };
    }, reference, painted, colour);
}

// A picture file: the eight palette entries, a title line, then the grid
// rows (row 1 first).
export function Picture_text(palette, title, rows)
{
    return [...palette.map(c => c.join(",")), title, ...rows].join("\n") + "\n";
}

// Compares the thumbnail at `thumbnail` (an address) with the first view at
// `view` (the address of an 800 x 900 image) reduced by the desktop book's
// rule: thumbnail pixel (x, y) is view pixel (5x + 2, 5y + 2). Resolves
// with the thumbnail's size, the number of differing pixels and the first.
export function Thumbnail_compare(page, thumbnail, view)
{
    return page.evaluate(async (thumbnail, view) => {
        const Pixels = async address => {
            const image = new Image();
            image.src = address;
            await image.decode();
            const canvas = document.createElement("canvas");
            canvas.width = image.naturalWidth;
            canvas.height = image.naturalHeight;
            const context = canvas.getContext("2d");
            context.drawImage(image, 0, 0);
            return { width: canvas.width, height: canvas.height, data: context.getImageData(0, 0, canvas.width, canvas.height).data };
        };
        const small = await Pixels(thumbnail);
        const large = await Pixels(view);
        let differing = 0;
        let first = null;
        for (let y = 0; y < small.height; ++y)
            for (let x = 0; x < small.width; ++x) {
                const at = (y * small.width + x) * 4;
                const from = ((5 * y + 2) * large.width + 5 * x + 2) * 4;
                const got = [...small.data.slice(at, at + 3)];
                const want = [...large.data.slice(from, from + 3)];
                if (got.join() !== want.join()) {
                    first ??= `(${x}, ${y}): ${got} where ${want} was expected`;
                    ++differing;
                }
            }
        return { size: `${small.width}x${small.height}`, differing, first };
    }, thumbnail, view);
}
