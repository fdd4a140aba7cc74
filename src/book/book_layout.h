// Where things are in the book's window, and what the person's input does to
// the view: cells of a grid, four across and four down, each a thumbnail
// with its title under it; the wheel scrolls by rows, the arrows move the
// selection and scroll to keep it in sight. Plain logic, no window needed.
#pragma once
#include <vector>
#include "book/thumbnail.h"

constexpr int book_width = 800;
constexpr int book_height = 900;
constexpr int book_columns = 4;
constexpr int book_cell_width = book_width / book_columns;   // 200
constexpr int book_cell_height = 225;
constexpr int book_rows_visible = book_height / book_cell_height;   // 4
constexpr int book_thumbnail_x = (book_cell_width - thumbnail_width) / 2;   // 20, within the cell
constexpr int book_thumbnail_y = 12;
constexpr int book_title_y = book_thumbnail_y + thumbnail_height + 6;    // the title's first 8-pixel line
constexpr int book_title_lines = 2;                                       // a longer title wraps once
constexpr int book_title_line_height = 9;
constexpr int book_parts_y = book_title_y + book_title_lines * book_title_line_height;   // "12 parts" under it
constexpr int book_title_chars = (book_cell_width - 8) / 8;               // 24 characters fit a line

// What the window shows: how many pictures, which is selected, and the
// first row of cells in sight.
struct Book_view {
    int count = 0;
    int selected = 0;
    int top_row = 0;
};

struct Book_point {
    int x = 0, y = 0;
};

// Rows of cells for all the pictures.
int Book_rows(const Book_view& view);
// The top left corner of picture `index`'s cell in the window (may lie
// outside it when scrolled away).
Book_point Book_cell_place(const Book_view& view, int index);
// The picture whose thumbnail or title is at window pixel (x, y), or -1.
int Book_hit(const Book_view& view, int x, int y);
// Scrolls by `rows` (negative: up), never past the first or last row; the
// selection stays where it is.
void Book_scroll(Book_view& view, int rows);
// Moves the selection by columns and rows, stopping at the first and last
// picture, and scrolls so that it is in sight.
void Book_select_move(Book_view& view, int columns, int rows);

// A rectangle of window pixels: the left column and top row, and its size.
struct Book_rect {
    int x = 0, y = 0, width = 0, height = 0;
};
bool Book_rect_holds(const Book_rect& rect, int x, int y);

// The buttons of a card: what a person with only a mouse does to a picture
// without opening it. They show while the pointer is on the card's
// thumbnail, stacked over its bottom left part: clear of the kept mark at
// the bottom right and of the thumbnail's middle, where a click opens the
// picture, however many there are (up to book_buttons_most).
constexpr int book_button_width = 116;    // "Start again" and more, in 8-pixel letters
constexpr int book_button_height = 24;
constexpr int book_button_gap = 3;
constexpr int book_button_margin = 5;     // from the thumbnail's left and bottom edges
constexpr int book_buttons_most = 3;

// The pointer's card: the picture whose thumbnail is at (x, y), or -1.
int Book_thumbnail_at(const Book_view& view, int x, int y);
// Button `slot` (0 the topmost) of the `count` a card shows, for the card
// whose cell's top left corner is `cell`.
Book_rect Book_button_place(Book_point cell, int slot, int count);

// What a left click at (x, y) does among the cards: opens `picture`
// (button -1), presses its button `button`, or nothing (picture -1).
// `buttons` holds how many buttons each picture's card shows.
struct Book_press {
    int picture = -1;
    int button = -1;
};
Book_press Book_press_at(const Book_view& view, int x, int y, const std::vector<int>& buttons);

// The answers to the book's question, as buttons at the bottom right of its
// box, beside the keys that answer it too.
enum class Book_answer { none, yes, no };
Book_rect Book_answer_place(Book_answer answer);
Book_answer Book_answer_at(int x, int y);
// The width in characters a question's text wraps at, clear of the answers.
constexpr int book_question_chars = (book_width - 40 - 230) / 8;
