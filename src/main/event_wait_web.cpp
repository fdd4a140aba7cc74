// Events in the browser. The page delivers input, and shows what the
// program drew, only while the program hands it its turn; the program keeps
// running in between thanks to Emscripten's ASYNCIFY. Emscripten's SDL 1.2
// keeps its queue in the page, with no limit, so nothing overflows.
#include "main/event_wait.h"
#include <emscripten.h>

namespace {

// How often a fill hands the page its turn: once per frame of a 60 Hz
// display, so the fill spreads on screen at the display's rate.
constexpr double frame_ms = 1000.0 / 60.0;
// How long a wait sleeps between looks at the queue, as SDL 1.2's own
// SDL_WaitEvent does.
constexpr unsigned wait_step_ms = 10;

double last_turn_ms = 0;

// The page's turn, as short as the browser allows: one task, with no
// timer's minimum delay, in which it paints a frame when one is due and
// takes in input.
EM_ASYNC_JS(void, Page_turn, (), {
    await new Promise(resolve => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => resolve();
        channel.port2.postMessage(0);
    });
});

// The page asks the program to end (as closing a window does): its
// Module.quitRequested.
EM_JS(int, Page_quit_requested, (), { return Module.quitRequested ? 1 : 0; });

// Tells the page that the program has shown its picture and waits for
// input: its Module.onIdle, called each time the program finds nothing to
// do. The book draws thumbnails at that moment.
EM_JS(void, Page_idle_tell, (), {
    if (Module.onIdle)
        Module.onIdle();
});

}  // namespace

void Event_overflow_keep()
{
}

void Event_take_in()
{
    const double now = emscripten_get_now();
    if (now - last_turn_ms < frame_ms)
        return;
    Page_turn();
    last_turn_ms = emscripten_get_now();
}

int Event_wait(SDL_Event& event)
{
    for (;;) {
        if (SDL_PollEvent(&event))
            return 1;
        if (Page_quit_requested()) {
            event = SDL_Event{};
            event.type = SDL_QUIT;
            return 1;
        }
        Page_idle_tell();
        emscripten_sleep(wait_step_ms);
        last_turn_ms = emscripten_get_now();
    }
}
