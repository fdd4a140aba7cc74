// The picture book's main routine: list the pictures, show them as
// thumbnails, and on a click or Enter run the painter on the chosen one,
// then show the book again. Escape or closing the window ends it with 0.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>
#include <SDL.h>
#include "book/book_draw.h"
#include "book/book_layout.h"
#include "book/book_places.h"
#include "book/painter_run.h"
#include "book/picture_card.h"
#include "book/picture_folders.h"
#include "book/picture_list.h"
#include "main/window_open.h"

namespace {

struct Book {
    Book_places places;
    std::vector<std::string> environment;             // as given, for the painter
    std::vector<Picture_entry> entries;
    std::vector<std::optional<Picture_card>> cards;   // made when first in sight, kept
    Book_view view;
    std::string message;                              // shown until the next input
    SDL_Surface* screen = nullptr;
};

SDL_Surface* Book_window_open()
{
    SDL_Surface* screen = Window_open(book_width, book_height);
    if (screen)
        SDL_WM_SetCaption("Tintora pictures", "Tintora pictures");
    return screen;
}

void Book_show(Book& book)
{
    Book_clear(book.screen);
    const int first = book.view.top_row * book_columns;
    const int last = std::min(book.view.count, first + book_rows_visible * book_columns);
    for (int k = first; k < last; ++k) {
        auto& card = book.cards[static_cast<std::size_t>(k)];
        if (!card)
            card = Picture_card_make(book.entries[static_cast<std::size_t>(k)]);
        const Book_point at = Book_cell_place(book.view, k);
        Book_cell_draw(book.screen, at.x, at.y, *card, k == book.view.selected);
    }
    if (!book.message.empty())
        Book_message_draw(book.screen, book.message);
    SDL_Flip(book.screen);
}

// The book's window closes while the painter runs and opens again when it
// has ended. Kept open but unserved, it would sit behind the painter
// looking alive while ignoring every click and close request (a window
// manager then offers to kill it), and a person could pick a second
// picture in it; closed, the painter's window is all there is, as when the
// painter is started from a menu. Its thumbnails live in memory, not in the
// window, so reopening costs one redraw.
bool Book_open_picture(Book& book, int index)
{
    const Picture_entry& entry = book.entries[static_cast<std::size_t>(index)];
    book.view.selected = index;
    SDL_Quit();
    book.screen = nullptr;
    std::fflush(stdout);
    const Painter_outcome outcome = Painter_run(book.places.painter, entry.name, entry.folder, book.environment);
    book.message = Painter_outcome_message(outcome, book.places.painter);
    book.screen = Book_window_open();
    if (!book.screen)
        return false;
    Book_show(book);
    return true;
}

}  // namespace

int main(int, char*[])
{
    Book book;
    // Before the window opens: opening it sets SDL variables of its own.
    book.environment = Environment_capture();
    book.places = Book_places_find(Book_executable_folder());
    book.entries = Picture_list_make(book.places.own, book.places.bundled);
    std::erase_if(book.entries, [](const Picture_entry& entry) {
        return !entry.own && !Picture_bundled_is(entry.folder, entry.name);
    });
    book.cards.resize(book.entries.size());
    book.view.count = static_cast<int>(book.entries.size());
    if (book.entries.empty())
        book.message = "Tintora: no pictures found. Put picture files (NAME.txt) in " +
                       (book.places.own.empty() ? std::string("your pictures folder") : book.places.own);

    book.screen = Book_window_open();
    if (!book.screen) {
        std::fputs("Tintora pictures: no display could be reached\n", stderr);
        SDL_Quit();
        return 1;
    }
    Book_show(book);

    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT)
            break;
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
            break;
        if (event.type != SDL_KEYDOWN && event.type != SDL_MOUSEBUTTONDOWN)
            continue;
        // A message stays until the person has seen it: the next key or
        // click only takes it away.
        if (!book.message.empty()) {
            book.message.clear();
            Book_show(book);
            continue;
        }
        int open = -1;
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            if (event.button.button == SDL_BUTTON_WHEELUP)
                Book_scroll(book.view, -1);
            else if (event.button.button == SDL_BUTTON_WHEELDOWN)
                Book_scroll(book.view, 1);
            else if (event.button.button == SDL_BUTTON_LEFT)
                open = Book_hit(book.view, event.button.x, event.button.y);
        } else {
            switch (event.key.keysym.sym) {
            case SDLK_LEFT: Book_select_move(book.view, -1, 0); break;
            case SDLK_RIGHT: Book_select_move(book.view, 1, 0); break;
            case SDLK_UP: Book_select_move(book.view, 0, -1); break;
            case SDLK_DOWN: Book_select_move(book.view, 0, 1); break;
            case SDLK_RETURN:
            case SDLK_KP_ENTER:
                if (book.view.count > 0)
                    open = book.view.selected;
                break;
            default: break;
            }
        }
        if (open >= 0) {
            if (!Book_open_picture(book, open)) {
                std::fputs("Tintora pictures: no display could be reached\n", stderr);
                SDL_Quit();
                return 1;
            }
        } else {
            Book_show(book);
        }
    }
    SDL_Quit();
    return 0;
}
