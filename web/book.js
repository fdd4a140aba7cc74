// The picture book: a card for each of the person's own pictures (newest
// first), then one for each bundled picture; a card opens its picture in
// the painter, which keeps its colouring. Own pictures are added with the
// file chooser or by dropping files on the page; every card's title and
// thumbnail come from the desktop book's own code (Card_read), with the
// kept colouring laid over it and a mark when there is one.
"use strict";

const cards = document.getElementById("cards");

// The desktop book's small green mark at the thumbnail's bottom right: the
// thumbnail shows a kept colouring.
function Kept_mark(card, kept)
{
    card.dataset.kept = String(Boolean(kept));
    if (!kept)
        return;
    const mark = document.createElement("span");
    mark.className = "kept";
    mark.title = "Coloured";
    card.querySelector(".thumbnail").append(mark);
}

function Card_make({ name, title, href, thumbnail, message, own, onRemove, kept, actions })
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
        const frame = document.createElement("span");
        frame.className = "thumbnail";
        frame.append(image);
        card.append(frame);
        Kept_mark(card, kept);
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
    if (actions)
        card.append(actions);
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
    const colourings = new Map((await Colouring_all()).map(record => [record.name, record.text]));
    const ownNames = new Set(own.map(record => record.name));
    const made = [];
    for (const record of own) {
        const colouring = colourings.get(Colouring_file(record.name, true));
        // The kept card is the picture uncoloured; a colouring is laid over
        // it here, each time, by the painter's rules.
        const card = colouring === undefined || record.message ? record
                                                               : await Card_read(record.name, record.bytes, colouring);
        made.push(Card_make({
            name: record.name,
            title: record.title,
            href: `paint.html?picture=${encodeURIComponent(record.name)}&own&keep`,
            thumbnail: card.thumbnail,
            message: record.message,
            own: true,
            kept: card.kept,
            actions: record.message ? null : Picture_actions(Book_picture(record.name, record.title, true, async () =>
                record.bytes, colourings), colouring !== undefined, Book_show),
            onRemove: async () => {
                await Own_remove(record.name);
                await Book_show();
            },
        }));
    }
    const drawing = [];
    const fetched = new Map();
    const Bundled_bytes = name => {
        if (!fetched.has(name))
            fetched.set(name, fetch(`pictures/${encodeURIComponent(name)}.txt`)
                .then(response => response.ok ? response.arrayBuffer() : null));
        return fetched.get(name);
    };
    for (const picture of bundled.filter(picture => !ownNames.has(picture.name))) {
        const colouring = colourings.get(Colouring_file(picture.name, false));
        const card = Card_make({
            name: picture.name,
            title: picture.title,
            href: `paint.html?picture=${encodeURIComponent(picture.name)}&keep`,
            actions: Picture_actions(Book_picture(picture.name, picture.title, false, () => Bundled_bytes(picture.name),
                                                  colourings), colouring !== undefined, Book_show),
        });
        drawing.push([picture.name, card, colouring]);
        made.push(card);
    }
    cards.replaceChildren(...made);
    for (const name of drawing.map(([name]) => name))
        Bundled_bytes(name);
    for (const [name, card, colouring] of drawing) {
        const bytes = await Bundled_bytes(name);
        if (!bytes)
            continue;
        const read = await Card_read(name, bytes, colouring);
        card.querySelector("img").src = read.thumbnail;
        Kept_mark(card, read.kept);
    }
    document.body.dataset.ready = "true";
}

// A card's picture for Picture_actions: its colouring as the book read it.
const Book_picture = (name, title, own, bytes, colourings) => ({
    name, title, own, bytes,
    colouring: async () => colourings.get(Colouring_file(name, own)),
});

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
