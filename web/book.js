// The picture book: a card for each of the person's own pictures (newest
// first), then one for each bundled picture; a card opens its picture in
// the painter. Own pictures are added with the file chooser or by dropping
// files on the page; their thumbnails are drawn by the painter itself, on
// its own page in a hidden frame.
"use strict";

const cards = document.getElementById("cards");

function Card_make({ title, href, thumbnail, message, own, onRemove })
{
    const card = document.createElement(message ? "div" : "a");
    card.className = own ? "card own" : "card";
    if (!message)
        card.href = href;
    if (thumbnail) {
        const image = document.createElement("img");
        image.src = thumbnail;
        image.alt = "";
        image.width = 200;
        image.height = 225;
        card.append(image);
    }
    const name = document.createElement("span");
    name.className = "title";
    name.textContent = title;
    card.append(name);
    if (message) {
        const why = document.createElement("p");
        why.className = "message";
        why.textContent = message;
        card.append(why);
    }
    if (own) {
        const remove = document.createElement("button");
        remove.className = "remove";
        remove.type = "button";
        remove.textContent = "Remove";
        remove.setAttribute("aria-label", `Remove ${title}`);
        remove.addEventListener("click", event => {
            event.preventDefault();
            onRemove();
        });
        card.append(remove);
    }
    return card;
}

async function Book_show()
{
    const bundled = await (await fetch("pictures.json")).json();
    const own = (await Own_all()).sort((a, b) => b.added - a.added);
    const made = own.map(record => Card_make({
        title: record.name,
        href: `paint.html?picture=${encodeURIComponent(record.name)}&own`,
        thumbnail: record.thumbnail,
        message: record.message,
        own: true,
        onRemove: async () => {
            await Own_remove(record.name);
            await Book_show();
        },
    }));
    for (const picture of bundled)
        made.push(Card_make({
            title: picture.title,
            href: `paint.html?picture=${encodeURIComponent(picture.name)}`,
            thumbnail: `thumbnails/${encodeURIComponent(picture.name)}.png`,
        }));
    cards.replaceChildren(...made);
    document.body.dataset.ready = "true";
}

// The first view of an own picture as the painter shows it, or the
// painter's message when it refuses the picture: the painter's page, in a
// hidden frame, read once the painter waits for input or has ended.
async function Thumbnail_draw(name)
{
    const frame = document.createElement("iframe");
    frame.src = `paint.html?picture=${encodeURIComponent(name)}&own&stay`;
    frame.width = 800;
    frame.height = 900;
    document.getElementById("drawing").append(frame);
    const shown = await new Promise(resolve => {
        const look = () => {
            const page = frame.contentDocument;
            const body = page && page.body;
            if (body && (body.dataset.waits || body.dataset.exitStatus))
                resolve({
                    thumbnail: body.dataset.waits ? page.getElementById("canvas").toDataURL("image/png") : "",
                    message: body.dataset.waits ? "" : page.getElementById("stderr").textContent.trim(),
                });
            else
                setTimeout(look, 20);
        };
        look();
    });
    frame.remove();
    return shown;
}

async function Pictures_add(files)
{
    document.body.dataset.ready = "false";
    for (const file of files) {
        const record = { name: Picture_name(file.name), bytes: await file.arrayBuffer(), added: Date.now() };
        await Own_put({ ...record, thumbnail: "", message: "" });
        await Own_put({ ...record, ...await Thumbnail_draw(record.name) });
    }
    await Book_show();
}

document.getElementById("add").addEventListener("change", event => {
    Pictures_add([...event.target.files]);
    event.target.value = "";
});
document.addEventListener("dragover", event => event.preventDefault());
document.addEventListener("drop", event => {
    event.preventDefault();
    Pictures_add([...event.dataTransfer.files]);
});

// A new release of the site, found on a visit with a network, takes over
// from the one this page came from: show its book at once.
if ("serviceWorker" in navigator && navigator.serviceWorker.controller)
    navigator.serviceWorker.addEventListener("controllerchange", () => location.reload());

Book_show();
