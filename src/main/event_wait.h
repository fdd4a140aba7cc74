// Waiting for events without losing any. SDL 1.2 holds at most 127 events
// and drops the rest; presses made while a long fill runs all arrive at the
// next wait, so hundreds of them would overflow it. What the program acts
// on is kept in arrival order and handed out after what SDL still holds.
#pragma once
#include <SDL.h>

// Starts keeping what SDL's queue has no room for; call after SDL_Init.
void Event_overflow_keep();

// Takes in what the display has delivered so far, while the program is busy
// (after each square of a fill): presses and keys wait in SDL's queue or the
// overflow, motion and releases are dropped. Left unread, every event would
// wait in the display libraries' own buffers, which grow with a stream of
// pointer motion for as long as the fill runs.
void Event_take_in();

// The next event in arrival order, waiting in short sleeps until there is
// one. A quit request (closing the window, SIGINT, SIGTERM) comes after
// every event the display had delivered when the program took the request
// in, and nothing later. Returns 0 when SDL's event queue fails.
int Event_wait(SDL_Event& event);
