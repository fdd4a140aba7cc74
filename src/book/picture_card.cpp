// Making a picture's card: the picture read once by the checker, which reads
// it with the painter's own reader, and the painter's own first view
// (Picture_view_create) of what it read, reduced to a thumbnail. The
// working directory is the picture's folder while it is read, so that the
// reader sees exactly what the painter would and its message names the same
// folder.
#include "book/picture_card.h"
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>
#include "board/geometry.h"
#include "board/picture_view.h"
#include "book/colouring_kept.h"
#include "book/print_layout.h"
#include "book/thumbnail.h"
#include "check/picture_check.h"

namespace {

// The working directory to go back to after reading from a picture's folder.
struct Folder_visit {
    std::filesystem::path before;
    bool entered = false;
};

Folder_visit Folder_enter(const std::string& folder, std::string& why)
{
    Folder_visit visit;
    std::error_code error;
    visit.before = std::filesystem::current_path(error);
    std::filesystem::current_path(std::filesystem::path(std::u8string(folder.begin(), folder.end())), error);
    if (error)
        why = error.message();
    else
        visit.entered = true;
    return visit;
}

void Folder_leave(const Folder_visit& visit)
{
    std::error_code ignored;
    if (visit.entered && !visit.before.empty())
        std::filesystem::current_path(visit.before, ignored);
}

}  // namespace

std::string Picture_title(const std::string& separator, const std::string& name)
{
    const auto first = separator.find_first_not_of(" \t\r");
    const std::string& source =
        first == std::string::npos ? name : separator.substr(first, separator.find_last_not_of(" \t\r") - first + 1);
    std::string title;
    for (unsigned char c : source) {
        if (c >= 0x80 && c < 0xC0)
            continue;   // a UTF-8 continuation: its sequence already gave one '?'
        title += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return title;
}

Picture_card Picture_card_make(const Picture_entry& entry, const std::string& colouring_path)
{
    Picture_card card;
    const std::string file = entry.name + ".txt";

    std::string why;
    const Folder_visit visit = Folder_enter(entry.folder, why);
    if (!visit.entered) {
        card.message = "Tintora: cannot open the folder " + entry.folder + ": " + why;
        card.title = Picture_title("", entry.name);
        return card;
    }
    // One reading gives the card everything: the thumbnail's board and
    // palette, the title, the parts and the mark all come from the same
    // bytes, however the file changes meanwhile.
    const Picture_check check = Picture_check_file(file);
    if (check.why.empty()) {
        card.warned = Picture_warns(check);
        card.parts = static_cast<int>(check.regions.regions.size());
    } else {
        card.message = Picture_failure_message(file, check.why);
        if (!card.message.empty() && card.message.back() == '\n')
            card.message.pop_back();
    }
    Folder_leave(visit);

    card.title = Picture_title(card.message.empty() ? check.separator : "", entry.name);
    if (!card.message.empty())
        return card;
    // The painter's own drawing of what it would show on opening: the
    // colouring laid over the board by the same rules it uses.
    std::vector<Square> squares(check.squares.begin(), check.squares.end());
    Colour mousecolour = check.colours[0];
    card.kept = Colouring_kept_apply(colouring_path, squares, check.colours, mousecolour);
    SDL_Surface* view = Picture_view_create_chosen(squarecount, squares, colourcount, check.colours, mousecolour);
    if (!view) {
        card.message = "Tintora: out of memory drawing " + file;
        return card;
    }
    card.thumbnail.reset(Thumbnail_reduce(view));
    SDL_FreeSurface(view);
    if (!card.thumbnail)
        card.message = "Tintora: out of memory drawing " + file;
    return card;
}

bool Picture_board_read(const Picture_entry& entry, const std::string& colouring_path, Picture_board& board,
                        std::string& why)
{
    const Folder_visit visit = Folder_enter(entry.folder, why);
    if (!visit.entered)
        return false;
    const Picture_check check = Picture_check_file(entry.name + ".txt");
    Folder_leave(visit);
    if (!check.why.empty()) {
        why = check.why;
        return false;
    }
    board.squares.assign(check.squares.begin(), check.squares.end());
    board.colours = check.colours;
    board.mousecolour = check.colours[0];
    board.separator = check.separator;
    Colouring_kept_apply(colouring_path, board.squares, board.colours, board.mousecolour, board.kept_why);
    return true;
}

SDL_Surface* Picture_board_view(const Picture_entry& entry, const std::string& colouring_path, std::string& why,
                                bool for_print)
{
    Picture_board read;
    if (!Picture_board_read(entry, colouring_path, read, why))
        return nullptr;
    if (for_print)
        for (Square& square : read.squares)
            square.c = Print_square_colour(square.c);
    SDL_Surface* view =
        Picture_view_create_chosen(squarecount, read.squares, colourcount, read.colours, read.mousecolour);
    SDL_Surface* board = view ? SDL_CreateRGBSurface(SDL_SWSURFACE, WIDTH, HEIGHT - menustrip, 32, view->format->Rmask,
                                                     view->format->Gmask, view->format->Bmask, 0)
                              : nullptr;
    if (board) {
        // Row by row rather than SDL_BlitSurface: the browser's SDL blits
        // between the canvases behind its surfaces, which the card module
        // never fills (card_web.cpp keeps its drawing in memory).
        for (int y = 0; y < board->h; ++y)
            std::memcpy(static_cast<std::uint8_t*>(board->pixels) + static_cast<std::size_t>(y) * board->pitch,
                        static_cast<const std::uint8_t*>(view->pixels) +
                            static_cast<std::size_t>(y + menustrip) * view->pitch,
                        static_cast<std::size_t>(WIDTH) * 4);
    } else {
        why = "out of memory";
    }
    if (view)
        SDL_FreeSurface(view);
    return board;
}

Picture_card Picture_card_new()
{
    Picture_card card;
    card.title = "New picture";
    card.add = true;
    std::array<Square, squarecount * squarecount> squares{};
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    std::array<Colour, colourcount> colours{};
    colours.fill(Colour{90, 90, 90});
    SDL_Surface* view = Picture_view_create(squarecount, squares, colourcount, colours);
    if (view) {
        card.thumbnail.reset(Thumbnail_reduce(view));
        SDL_FreeSurface(view);
    }
    return card;
}
