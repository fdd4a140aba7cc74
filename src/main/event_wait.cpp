// The overflow of SDL's event queue, and the quit request. SDL's event
// filter takes no argument of the caller's, so their state lives here,
// reached only through the two functions below; the program has one thread
// and one event loop.
#include "main/event_wait.h"
#include <atomic>
#include <cstddef>
#include <deque>
#include "main/quit_signals.h"

namespace {

// SDL 1.2 and the layer over SDL2 both keep 128 slots; events are diverted
// well before the last, so SDL never has to drop one.
constexpr int sdl_queue_room = 100;
constexpr int sdl_queue_slots = 128;
constexpr std::size_t no_quit = static_cast<std::size_t>(-1);
// How long a wait sleeps between looks at SDL and the quit request, as SDL
// 1.2's own SDL_WaitEvent does.
constexpr Uint32 wait_step_ms = 10;

// SDL 1.2 passes a quit request from SIGINT or SIGTERM to the filter inside
// its signal handler, which may have interrupted anything: the filter itself,
// Event_wait, or SDL adding an event to its queue. So on a quit the filter
// stores one lock-free atomic flag and touches nothing else, neither the
// deque nor SDL's queue (whose lock the interrupted code may hold), and it
// returns 0 so that SDL does not add the request to its queue from inside
// the handler either (SDL's add is not safe against itself: the request
// could overwrite a press being added, or be overwritten by it). A wait
// therefore never blocks inside SDL: Event_wait looks at the flag between
// short sleeps.
//
// Where the quit comes in the order is fixed later, outside the handler, by
// Quit_place: it first takes in everything the display has delivered, since
// presses made before the signal may still be waiting in the display's
// connection (SDL reads it only when asked: in a wait, or between two
// squares of a fill), and then puts the quit after every event taken in so
// far. Presses that arrive between the signal and Quit_place are handled
// too; anything later is not.
struct Overflow {
    std::deque<SDL_Event> events;   // diverted and not yet handed out, oldest first
    std::size_t diverted = 0;       // ever diverted; the deque's back is number diverted - 1
    std::size_t handed = 0;         // ever handed out; the deque's front is number handed
    std::size_t quit_after = no_quit;        // once placed: the quit comes after this many diverted events
    std::atomic<bool> quit_requested{false};   // the only state a signal handler touches
    bool keep_all = false;          // while the filter is being set
};
static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler may touch only lock-free atomics");

Overflow overflow;

int Sdl_queue_length()
{
    SDL_Event peek[sdl_queue_slots];
    return SDL_PeepEvents(peek, sdl_queue_slots, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

// Pointer motion, releases and window events change nothing; only these
// need keeping, so a stream of motion during a long fill costs no memory.
bool Event_acted_on(const SDL_Event& event)
{
    return event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_KEYDOWN;
}

// Not for a quit request: may allocate.
void Overflow_add(const SDL_Event& event)
{
    if (!Event_acted_on(event))
        return;
    ++overflow.diverted;
    overflow.events.push_back(event);
}

// Runs for each event as SDL takes it in, before SDL queues it. Once one
// event is diverted, every later one follows it until the overflow has been
// handed out, so the order of arrival is kept. Nothing after the quit's
// place is kept at all.
int SDLCALL Overflow_filter(const SDL_Event* event)
{
    if (event->type == SDL_QUIT) {
        overflow.quit_requested.store(true);
        return 0;
    }
    if (overflow.quit_after != no_quit)
        return 0;
    if (!overflow.keep_all && overflow.events.empty() && Sdl_queue_length() < sdl_queue_room)
        return 1;
    Overflow_add(*event);
    return 0;
}

// Outside the signal handler, once a quit has been requested.
void Quit_place()
{
    SDL_PumpEvents();
    overflow.quit_after = overflow.diverted;
}

void Filter_set()
{
    // SDL 1.2 throws away every pending event when a filter is set, a quit
    // request from SIGTERM or SIGINT included; they go to the overflow
    // instead, and those signals wait meanwhile.
    overflow.keep_all = true;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0)
        if (event.type == SDL_QUIT)
            overflow.quit_requested.store(true);
        else
            Overflow_add(event);
    SDL_SetEventFilter(Overflow_filter);
    overflow.keep_all = false;
}

}  // namespace

void Event_overflow_keep()
{
    Quit_signals_held(Filter_set);
}

void Event_take_in()
{
    SDL_PumpEvents();
}

int Event_wait(SDL_Event& event)
{
    // What SDL holds arrived before anything in the overflow. A quit request
    // in SDL's queue (one SDL_PushEvent put there, which passes no filter)
    // counts as requested now.
    for (;;) {
        if (overflow.quit_after == no_quit && overflow.quit_requested.load())
            Quit_place();
        const int got = SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS);
        if (got < 0)
            return 0;
        if (got > 0) {
            if (event.type != SDL_QUIT)
                return 1;
            overflow.quit_requested.store(true);
            continue;
        }
        if (overflow.handed == overflow.quit_after) {
            event = SDL_Event{};
            event.type = SDL_QUIT;
            return 1;
        }
        if (!overflow.events.empty()) {
            event = overflow.events.front();
            overflow.events.pop_front();
            ++overflow.handed;
            return 1;
        }
        SDL_PumpEvents();
        if (Sdl_queue_length() == 0 && overflow.events.empty() && !overflow.quit_requested.load())
            SDL_Delay(wait_step_ms);
    }
}
