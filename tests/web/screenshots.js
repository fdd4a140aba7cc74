// The pictures of the site in docs/web.md: the book and the painter on a
// phone-sized and on a desktop-sized window, as a new visitor sees them.
//   TINTORA_WEB_BUILD=DIR node screenshots.js OUT-FOLDER
import path from "node:path";
import { Browser_start, Painter_settled, Server_start } from "./harness.js";

const out = path.resolve(process.argv[2] || ".");
const server = await Server_start();
const chromium = await Browser_start();
try {
    const page = await chromium.browser.newPage();
    for (const [size, viewport] of [["phone", { width: 390, height: 844 }], ["desktop", { width: 1280, height: 900 }]]) {
        await page.setViewport(viewport);
        await page.goto(server.url);
        await page.waitForSelector("body[data-ready=true]");
        await page.screenshot({ path: path.join(out, `web-book-${size}.png`) });
        await page.goto(`${server.url}paint.html?picture=owl&stay`);
        await Painter_settled(page);
        await page.screenshot({ path: path.join(out, `web-painter-${size}.png`) });
    }
} finally {
    await chromium.close();
    await server.stop();
}
