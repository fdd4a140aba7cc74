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

// SDL 1.2 passes a quit request from SIGINT or SIGTERM to the filter inside
// its signal handler, which may have interrupted anything, the filter itself
// and Event_wait included. So on a quit the filter touches nothing but
// quit_after, and that only through lock-free atomics: it notes how many
// events had been diverted when the request came, never the deque, never
// SDL's queue (whose lock the interrupted code may hold). Counting an event
// as diverted before it is stored puts an event that was being diverted
// when the signal came before the quit; nothing else can be half done.
// The filter then lets SDL queue the request as SDL does without a filter,
// only so that a wait in SDL_WaitEvent ends; where the quit comes in the
// order is decided by quit_after alone, so it is neither early nor lost when
// SDL's queue is full.
struct Overflow {
    std::deque<SDL_Event> events;           // diverted and not yet handed out, oldest first
    std::atomic<std::size_t> diverted{0};   // ever diverted; the deque's back is number diverted - 1
    std::size_t handed = 0;                 // ever handed out; the deque's front is number handed
    std::atomic<std::size_t> quit_after{no_quit};   // the quit comes after this many diverted events
    bool keep_all = false;                  // while the filter is being set
};
static_assert(std::atomic<std::size_t>::is_always_lock_free, "a signal handler may touch only lock-free atomics");

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

void Quit_note()
{
    std::size_t none = no_quit;
    overflow.quit_after.compare_exchange_strong(none, overflow.diverted.load());
}

// Not for a quit request: may allocate.
void Overflow_add(const SDL_Event& event)
{
    if (!Event_acted_on(event))
        return;
    overflow.diverted.fetch_add(1);
    overflow.events.push_back(event);
}

// Runs for each event as SDL takes it in, before SDL queues it. Once one
// event is diverted, every later one follows it until the overflow has been
// handed out, so the order of arrival is kept. Nothing after a quit request
// is kept at all.
int SDLCALL Overflow_filter(const SDL_Event* event)
{
    if (event->type == SDL_QUIT) {
        Quit_note();
        return 1;
    }
    if (overflow.quit_after.load() != no_quit)
        return 0;
    if (!overflow.keep_all && overflow.events.empty() && Sdl_queue_length() < sdl_queue_room)
        return 1;
    Overflow_add(*event);
    return 0;
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
            Quit_note();
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

int Event_wait(SDL_Event& event)
{
    // What SDL holds arrived before anything in the overflow. A quit request
    // in SDL's queue ends a wait; its turn comes when everything that arrived
    // before it has been handed out. (One put there by SDL_PushEvent, which
    // passes no filter, is noted here.)
    for (;;) {
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
            if (event.type != SDL_QUIT)
                return 1;
            Quit_note();
            continue;
        }
        if (overflow.handed == overflow.quit_after.load()) {
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
        if (!SDL_WaitEvent(&event))
            return 0;
        if (event.type != SDL_QUIT)
            return 1;
        Quit_note();
    }
}
