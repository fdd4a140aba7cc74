// The picture book: a card for each of the person's own pictures (newest
// first), then one for each bundled picture; a card opens its picture in
// the painter. Own pictures are added with the file chooser or by dropping
// files on the page; every card's title and thumbnail come from the
// desktop book's own code (Card_read).
"use strict";

const cards = document.getElementById("cards");

function Card_make({ name, title, href, thumbnail, message, own, onRemove })
{
    const card = document.createElement(message ? "div" : "a");
    card.className = own ? "card own" : "card";
    card.dataset.picture = name;
    if (!message)
        card.href = href;
    if (!message) {
        const image = document.createElement("img");
        if (thumbnail)
            image.src = thumbnail;
        image.alt = "";
        image.width = 160;
        image.height = 180;
        card.append(image);
    }
    const heading = document.createElement("span");
    heading.className = "title";
    heading.textContent = title;
    card.append(heading);
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

// An own picture kept by an earlier release of the site has no title and
// a thumbnail of another size: its card is made again from its bytes.
async function Own_card_update(record)
{
    if (record.title !== undefined)
        return record;
    const updated = { ...record, ...await Card_read(record.name, record.bytes) };
    await Own_put(updated);
    return updated;
}

// Own pictures first, newest first, then the bundled ones; an own picture
// with a bundled picture's name shows instead of it, as on the desktop.
// The cards show at once; the bundled pictures' thumbnails follow.
async function Book_show()
{
    document.body.dataset.ready = "false";
    const bundled = await (await fetch("pictures.json")).json();
    const own = await Promise.all((await Own_all()).sort((a, b) => b.added - a.added).map(Own_card_update));
    const ownNames = new Set(own.map(record => record.name));
    const made = own.map(record => Card_make({
        name: record.name,
        title: record.title,
        href: `paint.html?picture=${encodeURIComponent(record.name)}&own`,
        thumbnail: record.thumbnail,
        message: record.message,
        own: true,
        onRemove: async () => {
            await Own_remove(record.name);
            await Book_show();
        },
    }));
    const drawing = [];
    for (const picture of bundled.filter(picture => !ownNames.has(picture.name))) {
        const card = Card_make({
            name: picture.name,
            title: picture.title,
            href: `paint.html?picture=${encodeURIComponent(picture.name)}`,
        });
        drawing.push([picture.name, card.querySelector("img")]);
        made.push(card);
    }
    cards.replaceChildren(...made);
    const files = drawing.map(([name]) => fetch(`pictures/${encodeURIComponent(name)}.txt`)
        .then(response => response.ok ? response.arrayBuffer() : null));
    for (const [k, [name, image]] of drawing.entries()) {
        const bytes = await files[k];
        if (bytes)
            image.src = (await Card_read(name, bytes)).thumbnail;
    }
    document.body.dataset.ready = "true";
}

async function Pictures_add(files)
{
    document.body.dataset.ready = "false";
    for (const file of files) {
        const bytes = await file.arrayBuffer();
        const record = { name: Picture_name(file.name), bytes, added: Date.now() };
        const name = await Own_add_new({ ...record, thumbnail: "", message: "" });
        await Own_put({ ...record, name, ...await Card_read(name, bytes) });
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
