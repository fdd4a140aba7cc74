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
