// Events in the browser. The page delivers input, and shows what the
// program drew, only while the program hands it its turn; the program keeps
// running in between thanks to Emscripten's ASYNCIFY. Emscripten's SDL 1.2
// keeps its queue in the page, with no limit, so nothing overflows.
#include "main/event_wait.h"
#include <emscripten.h>
#include "main/screen_web.h"

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

// Tells the page that the program has handled all input given so far and
// waits for more: its Module.onIdle, called each time the program finds
// its queue empty. The first call means the picture is shown; the book
// draws thumbnails at that moment.
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
    Screen_show();
    Page_turn();
    last_turn_ms = emscripten_get_now();
}

int Event_wait(SDL_Event& event)
{
    for (bool shown = false;; shown = true) {
        if (SDL_PollEvent(&event))
            return 1;
        if (!shown)
            Screen_show();
        Page_idle_tell();
        emscripten_sleep(wait_step_ms);
        last_turn_ms = emscripten_get_now();
    }
}
