// Waiting for events without losing any. SDL 1.2 holds at most 127 events
// and drops the rest; presses made while a long fill runs all arrive at the
// next wait, so hundreds of them would overflow it. What the program acts
// on is kept in arrival order and handed out after what SDL still holds.
#pragma once
#include <SDL.h>

// Starts keeping what SDL's queue has no room for; call after SDL_Init.
void Event_overflow_keep();

// The next event in arrival order, blocking in SDL_WaitEvent only when none
// is pending. A quit request comes after every event that arrived before
// it, and nothing after it. Returns 0 when SDL_WaitEvent reports a failure.
int Event_wait(SDL_Event& event);
