// The book's geometry and the movements of its view, as arithmetic on rows
// and columns.
#include "book/book_layout.h"
#include <algorithm>

int Book_rows(const Book_view& view)
{
    return (view.count + book_columns - 1) / book_columns;
}

Book_point Book_cell_place(const Book_view& view, int index)
{
    return {(index % book_columns) * book_cell_width, (index / book_columns - view.top_row) * book_cell_height};
}

int Book_hit(const Book_view& view, int x, int y)
{
    if (x < 0 || y < 0 || x >= book_width || y >= book_rows_visible * book_cell_height)
        return -1;
    const int column = x / book_cell_width;
    const int row = y / book_cell_height;
    const int index = (view.top_row + row) * book_columns + column;
    if (index >= view.count)
        return -1;
    // The thumbnail and the title line under it; the gaps between cells are nobody's.
    const int cx = x - column * book_cell_width;
    const int cy = y - row * book_cell_height;
    const bool on_thumbnail = cx >= book_thumbnail_x && cx < book_thumbnail_x + thumbnail_width &&
                              cy >= book_thumbnail_y && cy < book_parts_y + 8;
    return on_thumbnail ? index : -1;
}

void Book_scroll(Book_view& view, int rows)
{
    const int last = std::max(0, Book_rows(view) - book_rows_visible);
    view.top_row = std::clamp(view.top_row + rows, 0, last);
}

void Book_select_move(Book_view& view, int columns, int rows)
{
    if (view.count == 0)
        return;
    view.selected = std::clamp(view.selected + columns + rows * book_columns, 0, view.count - 1);
    const int row = view.selected / book_columns;
    if (row < view.top_row)
        view.top_row = row;
    else if (row >= view.top_row + book_rows_visible)
        view.top_row = row - book_rows_visible + 1;
}

bool Book_rect_holds(const Book_rect& rect, int x, int y)
{
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

int Book_thumbnail_at(const Book_view& view, int x, int y)
{
    const int index = Book_hit(view, x, y);
    if (index < 0)
        return -1;
    const Book_point cell = Book_cell_place(view, index);
    return Book_rect_holds({cell.x + book_thumbnail_x, cell.y + book_thumbnail_y, thumbnail_width, thumbnail_height}, x, y)
               ? index
               : -1;
}

Book_rect Book_button_place(Book_point cell, int slot, int count)
{
    // The stack's bottom stays put; a card with fewer buttons has a lower top.
    const int bottom = cell.y + book_thumbnail_y + thumbnail_height - book_button_margin;
    const int top = bottom - count * book_button_height - (count - 1) * book_button_gap;
    return {cell.x + book_thumbnail_x + book_button_margin, top + slot * (book_button_height + book_button_gap),
            book_button_width, book_button_height};
}

Book_press Book_press_at(const Book_view& view, int x, int y, const std::vector<int>& buttons)
{
    const int index = Book_hit(view, x, y);
    if (index < 0)
        return {};
    const int count = static_cast<std::size_t>(index) < buttons.size() ? buttons[static_cast<std::size_t>(index)] : 0;
    const Book_point cell = Book_cell_place(view, index);
    for (int slot = 0; slot < count; ++slot)
        if (Book_rect_holds(Book_button_place(cell, slot, count), x, y))
            return {index, slot};
    // The gaps between buttons belong to no button and open nothing: a
    // click that just misses one must not start the painter instead.
    if (count > 0) {
        const Book_rect first = Book_button_place(cell, 0, count);
        const Book_rect last = Book_button_place(cell, count - 1, count);
        if (Book_rect_holds({first.x, first.y, book_button_width, last.y + last.height - first.y}, x, y))
            return {};
    }
    return {index, -1};
}

Book_rect Book_answer_place(Book_answer answer)
{
    constexpr int width = 90, height = 30, right = 20, bottom = 15, gap = 16;
    const int no_x = book_width - right - width;
    const int y = book_height - bottom - height;
    switch (answer) {
    case Book_answer::yes: return {no_x - gap - width, y, width, height};
    case Book_answer::no: return {no_x, y, width, height};
    case Book_answer::none: break;
    }
    return {};
}

Book_answer Book_answer_at(int x, int y)
{
    for (Book_answer answer : {Book_answer::yes, Book_answer::no})
        if (Book_rect_holds(Book_answer_place(answer), x, y))
            return answer;
    return Book_answer::none;
}
