// Four rooms around the board's middle square (20, 20), each behind one of
// its neighbours, between the board's two diagonals (outlines that touch
// only at corners). A fill from the middle takes them up in the order of
// the neighbours, so each order of left, right, up and down looks different.
#pragma once

enum Room { room_left, room_right, room_up, room_down, no_room };

inline Room Room_of(int i, int j)
{
    if (i < 20 && i < j && j < 40 - i)
        return room_left;
    if (i > 20 && 40 - i < j && j < i)
        return room_right;
    if (j < 20 && j < i && i < 40 - j)
        return room_up;
    if (j > 20 && 40 - j < i && i < j)
        return room_down;
    return no_room;
}
