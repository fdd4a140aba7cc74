// The picture book's main routine: list the pictures, show them as
// thumbnails, and on a click or Enter run the painter on the chosen one,
// then show the book again. The first card, "New picture", and E or a right
// click on a picture open the picture maker instead. What is coloured is
// kept (the painter keeps it when the book asks); Delete asks whether to
// start the selected picture again, I saves it as an image and P as a page
// to print. The same are buttons on the card under the pointer, for those
// who use only a mouse, and the question has Yes and No buttons. Escape or
// closing the window ends it with 0.
#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <vector>
#include <SDL.h>
#include "book/book_draw.h"
#include "book/book_layout.h"
#include "book/book_places.h"
#include "book/colouring_kept.h"
#include "book/painter_run.h"
#include "book/picture_card.h"
#include "book/picture_export.h"
#include "book/picture_folders.h"
#include "book/picture_list.h"
#include "book/picture_print.h"
#include "book/print_places.h"
#include "book/picture_reselect.h"
#include "colouring/colouring_store.h"
#include "main/window_open.h"

namespace {

struct Book {
    Book_places places;
    std::vector<std::string> environment;             // as given, for the painter
    std::vector<Picture_entry> entries;
    std::vector<std::optional<Picture_card>> cards;   // made when first in sight, kept
    Book_view view;
    std::string message;                              // shown until the next input
    int asking = -1;                                  // the picture "Start again?" is asked about
    Book_point pointer{-1, -1};                       // where the pointer is; -1: not in the window
    SDL_Surface* screen = nullptr;
};

SDL_Surface* Book_window_open()
{
    SDL_Surface* screen = Window_open(book_width, book_height);
    if (screen)
        SDL_WM_SetCaption("Tintora pictures", "Tintora pictures");
    return screen;
}

// A button on a card: its label, whether it is there only while a
// colouring is kept, and what pressing it does to the picture. The table of
// them (card_buttons, after the doings) is all there is to adding one.
struct Card_button {
    const char* label;
    bool kept_only;
    void (*press)(Book& book, int index);
};
std::vector<const Card_button*> Card_buttons_shown(const Book& book, int index);

void Book_show(Book& book)
{
    Book_clear(book.screen);
    const int first = book.view.top_row * book_columns;
    const int last = std::min(book.view.count, first + book_rows_visible * book_columns);
    for (int k = first; k < last; ++k) {
        auto& card = book.cards[static_cast<std::size_t>(k)];
        const Picture_entry& entry = book.entries[static_cast<std::size_t>(k)];
        if (!card)
            card = entry.name.empty() ? Picture_card_new()
                                      : Picture_card_make(entry, Colouring_path(book.places.colourings, entry));
        const Book_point at = Book_cell_place(book.view, k);
        // The buttons answer only when nothing else waits for an answer.
        std::vector<std::string> labels;
        if (book.asking < 0 && book.message.empty() && k == Book_thumbnail_at(book.view, book.pointer.x, book.pointer.y))
            for (const Card_button* button : Card_buttons_shown(book, k))
                labels.push_back(button->label);
        Book_cell_draw(book.screen, at.x, at.y, *card, k == book.view.selected, labels);
    }
    if (book.asking >= 0)
        Book_question_draw(book.screen, "Start " + book.cards[static_cast<std::size_t>(book.asking)]->title + " again?");
    else if (!book.message.empty())
        Book_message_draw(book.screen, book.message);
    SDL_Flip(book.screen);
}

// Opening the window again after the painter or the maker. An X server
// that resets when its last client leaves (the book had closed its window,
// and the painter's was the last) refuses connections for the moment it
// restarts; the book tries again for a few seconds before giving up.
SDL_Surface* Book_window_reopen()
{
    constexpr int tries = 50;
    constexpr Uint32 pause_ms = 100;
    for (int k = 1;; ++k) {
        if (SDL_Surface* screen = Book_window_open())
            return screen;
        SDL_Quit();
        if (k == tries)
            return nullptr;
        SDL_Delay(pause_ms);
    }
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
    // The painter keeps the colouring only when asked, in a folder that
    // must be there before it first keeps anything.
    const std::string colouring = Colouring_path(book.places.colourings, entry);
    if (!colouring.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(
            std::filesystem::path(std::u8string(book.places.colourings.begin(), book.places.colourings.end())), ignored);
    }
    const Painter_outcome outcome = Painter_run(book.places.painter, entry.name, entry.folder,
                                                Environment_keeping(book.environment, colouring));
    book.message = Painter_outcome_message(outcome, book.places.painter);
    if (book.message.empty())
        book.message = Painter_keep_notes(outcome.errors);
    book.cards[static_cast<std::size_t>(index)].reset();
    book.screen = Book_window_reopen();
    if (!book.screen)
        return false;
    book.pointer = {-1, -1};
    Book_show(book);
    return true;
}

// The pictures of both folders, after the "New picture" card when the
// maker is there to start.
void Book_list(Book& book)
{
    book.entries = Picture_list_make(book.places.own, book.places.bundled);
    std::erase_if(book.entries, [](const Picture_entry& entry) {
        return !entry.own && !Picture_bundled_is(entry.folder, entry.name);
    });
    std::error_code error;
    if (!book.places.maker.empty() &&
        std::filesystem::exists(std::filesystem::path(std::u8string(book.places.maker.begin(), book.places.maker.end())), error))
        book.entries.insert(book.entries.begin(), Picture_entry{});
    book.cards.clear();
    book.cards.resize(book.entries.size());
    book.view.count = static_cast<int>(book.entries.size());
    book.view.selected = std::clamp(book.view.selected, 0, std::max(0, book.view.count - 1));
}

// Starting a picture again, once the person has said yes: its kept
// colouring removed, its card remade uncoloured.
void Book_start_again(Book& book, int index)
{
    const Picture_entry& entry = book.entries[static_cast<std::size_t>(index)];
    const std::string why = Colouring_file_remove(Colouring_path(book.places.colourings, entry));
    if (!why.empty())
        book.message = "Tintora: the colouring of " + book.cards[static_cast<std::size_t>(index)]->title +
                       " could not be removed: " + why;
    book.cards[static_cast<std::size_t>(index)].reset();
}

// Today's date as saved images and pages are named with, YYYY-MM-DD.
std::string Today()
{
    char date[16] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now))
        std::strftime(date, sizeof date, "%Y-%m-%d", local);
    return date;
}

// The selected picture as coloured, as an image in the person's Pictures
// folder; the message line says where, or why not.
void Book_export(Book& book, int index)
{
    const Picture_entry& entry = book.entries[static_cast<std::size_t>(index)];
    const std::string& title = book.cards[static_cast<std::size_t>(index)]->title;
    const std::string date = Today();
    std::string saved;
    const std::string why = Picture_export(entry, Colouring_path(book.places.colourings, entry), title,
                                           Picture_export_folder(), date, saved);
    book.message = why.empty() ? "Tintora: " + title + " is saved as " + saved
                               : "Tintora: " + title + " could not be saved as an image: " + why;
}

// The selected picture as coloured, on a page to print, in the person's
// Pictures folder beside the images, then shown in the desktop's viewer,
// which prints it; the message line says where it went, or why not.
void Book_print(Book& book, int index)
{
    const Picture_entry& entry = book.entries[static_cast<std::size_t>(index)];
    const std::string& title = book.cards[static_cast<std::size_t>(index)]->title;
    const std::string date = Today();
    std::string saved, note;
    const std::string why =
        Picture_print(entry, Colouring_path(book.places.colourings, entry), Picture_export_folder(), date,
                      Paper_chosen(), Print_font_file(Book_executable_folder()), saved, note);
    if (!why.empty()) {
        book.message = "Tintora: " + title + " could not be saved to print: " + why;
        return;
    }
    book.message = "Tintora: " + title + " is saved to print as " + saved;
    if (!note.empty())
        book.message += ", uncoloured: its colouring cannot be used (" + note + ")";
    const std::string not_shown = File_show(saved);
    if (!not_shown.empty())
        book.message += "; it cannot be shown: " + not_shown;
}

// "Start again?" asked of a picture with a kept colouring.
void Book_ask_start_again(Book& book, int index)
{
    book.asking = index;
}

const Card_button card_buttons[] = {
    {"Start again", true, Book_ask_start_again},
    {"Save image", false, Book_export},
    {"Print", false, Book_print},
};

// A picture's buttons are there once its card is made, and only for a
// picture the painter can open: the "New picture" card and a file it
// refuses have none.
std::vector<const Card_button*> Card_buttons_shown(const Book& book, int index)
{
    std::vector<const Card_button*> shown;
    const auto& card = book.cards[static_cast<std::size_t>(index)];
    if (book.entries[static_cast<std::size_t>(index)].name.empty() || !card || !card->thumbnail)
        return shown;
    for (const Card_button& button : card_buttons)
        if (!button.kept_only || card->kept)
            shown.push_back(&button);
    return shown;
}

// The maker on a new picture, on one of the person's own (edited where it
// is) or on a bundled one (a copy, saved into the person's own folder).
// Afterwards the list is made again: a new picture has a card now, and a
// changed one a new thumbnail. The selection stays on its picture, or goes
// to the one just saved, wherever the new list puts it.
bool Book_open_maker(Book& book, int index)
{
    const Picture_entry& entry = book.entries[static_cast<std::size_t>(index)];
    std::vector<std::string> arguments;
    if (!entry.name.empty()) {
        const std::u8string folder(entry.folder.begin(), entry.folder.end());
        const std::u8string file = (std::filesystem::path(folder) / std::filesystem::path(std::u8string(
                                        entry.name.begin(), entry.name.end()) + u8".txt")).u8string();
        if (!entry.own)
            arguments.push_back("--copy-of");
        arguments.push_back(std::string(file.begin(), file.end()));
    }
    book.view.selected = index;
    SDL_Quit();
    book.screen = nullptr;
    std::fflush(stdout);
    const Painter_outcome outcome =
        Painter_run(book.places.maker, "tintora-draw", book.places.own.empty() ? "." : book.places.own, book.environment,
                    arguments);
    book.message = Painter_outcome_message(outcome, book.places.maker);
    const std::vector<Picture_entry> before = book.entries;
    Book_list(book);
    book.view.selected = Picture_reselect(before, index, book.entries);
    Book_select_move(book.view, 0, 0);
    book.screen = Book_window_reopen();
    if (!book.screen)
        return false;
    book.pointer = {-1, -1};
    Book_show(book);
    return true;
}

}  // namespace

int main(int, char*[])
{
    Book book;
    // Before the window opens: opening it sets SDL variables of its own.
    book.environment = Environment_without_keep(Environment_capture());
    book.places = Book_places_find(Book_executable_folder());
    // The maker saves into the own folder, and starts there.
    if (!book.places.own.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(std::u8string(book.places.own.begin(), book.places.own.end())), ignored);
    }
    Book_list(book);
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
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE && book.asking < 0)
            break;
        // The card under the pointer shows its buttons: drawn again only
        // when the pointer goes onto another card or off one.
        if (event.type == SDL_MOUSEMOTION || event.type == SDL_ACTIVEEVENT) {
            const int before = Book_thumbnail_at(book.view, book.pointer.x, book.pointer.y);
            if (event.type == SDL_MOUSEMOTION)
                book.pointer = {event.motion.x, event.motion.y};
            else if ((event.active.state & SDL_APPMOUSEFOCUS) && !event.active.gain)
                book.pointer = {-1, -1};
            if (Book_thumbnail_at(book.view, book.pointer.x, book.pointer.y) != before)
                Book_show(book);
            continue;
        }
        if (event.type != SDL_KEYDOWN && event.type != SDL_MOUSEBUTTONDOWN)
            continue;
        if (event.type == SDL_MOUSEBUTTONDOWN)
            book.pointer = {event.button.x, event.button.y};
        // A question waits for its answer: Enter or Yes says yes, Escape or
        // No says no; any other click or key is not an answer.
        if (book.asking >= 0) {
            Book_answer answer = Book_answer::none;
            if (event.type == SDL_KEYDOWN) {
                const SDLKey key = event.key.keysym.sym;
                if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
                    answer = Book_answer::yes;
                else if (key == SDLK_ESCAPE)
                    answer = Book_answer::no;
            } else if (event.button.button == SDL_BUTTON_LEFT) {
                answer = Book_answer_at(event.button.x, event.button.y);
            }
            if (answer == Book_answer::none)
                continue;
            if (answer == Book_answer::yes)
                Book_start_again(book, book.asking);
            book.asking = -1;
            Book_show(book);
            continue;
        }
        // A message stays until the person has seen it: the next key or
        // click only takes it away.
        if (!book.message.empty()) {
            book.message.clear();
            Book_show(book);
            continue;
        }
        int open = -1;
        bool make = false;
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            if (event.button.button == SDL_BUTTON_WHEELUP)
                Book_scroll(book.view, -1);
            else if (event.button.button == SDL_BUTTON_WHEELDOWN)
                Book_scroll(book.view, 1);
            else if (event.button.button == SDL_BUTTON_RIGHT) {
                open = Book_hit(book.view, event.button.x, event.button.y);
                make = true;
            } else if (event.button.button == SDL_BUTTON_LEFT) {
                // Only the card under the click can have a button there.
                const int under = Book_hit(book.view, event.button.x, event.button.y);
                std::vector<const Card_button*> shown;
                std::vector<int> counts(book.cards.size());
                if (under >= 0) {
                    shown = Card_buttons_shown(book, under);
                    counts[static_cast<std::size_t>(under)] = static_cast<int>(shown.size());
                }
                const Book_press press = Book_press_at(book.view, event.button.x, event.button.y, counts);
                if (press.button >= 0) {
                    book.view.selected = press.picture;
                    shown[static_cast<std::size_t>(press.button)]->press(book, press.picture);
                } else {
                    open = press.picture;
                }
            }
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
            case SDLK_e:
                if (book.view.count > 0)
                    open = book.view.selected, make = true;
                break;
            case SDLK_i:
                if (book.view.count > 0 && !book.entries[static_cast<std::size_t>(book.view.selected)].name.empty() &&
                    book.cards[static_cast<std::size_t>(book.view.selected)])
                    Book_export(book, book.view.selected);
                break;
            case SDLK_p:
                if (book.view.count > 0 && !book.entries[static_cast<std::size_t>(book.view.selected)].name.empty() &&
                    book.cards[static_cast<std::size_t>(book.view.selected)])
                    Book_print(book, book.view.selected);
                break;
            case SDLK_DELETE:
                if (book.view.count > 0 && book.cards[static_cast<std::size_t>(book.view.selected)] &&
                    book.cards[static_cast<std::size_t>(book.view.selected)]->kept)
                    book.asking = book.view.selected;
                break;
            default: break;
            }
        }
        if (open >= 0) {
            make = make || book.entries[static_cast<std::size_t>(open)].name.empty();
            if (!(make ? Book_open_maker(book, open) : Book_open_picture(book, open))) {
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
