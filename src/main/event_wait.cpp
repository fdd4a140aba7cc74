// The overflow of SDL's event queue. SDL's event filter takes no argument
// of the caller's, so the overflow lives here, reached only through the two
// functions below; the program has one thread and one event loop.
#include "main/event_wait.h"
#include <csignal>
#include <cstddef>
#include <deque>

namespace {

// SDL 1.2 and the layer over SDL2 both keep 128 slots; events are diverted
// well before the last, so SDL never has to drop one.
constexpr int sdl_queue_room = 100;
constexpr int sdl_queue_slots = 128;
constexpr std::size_t no_quit = static_cast<std::size_t>(-1);

struct Overflow {
    std::deque<SDL_Event> events;
    // A quit request is not stored but noted as coming after this many of
    // the events: SDL 1.2 may pass it from a signal handler, where nothing
    // may be allocated. Nothing after it is ever handled.
    std::size_t quit_after = no_quit;
    bool keep_all = false;   // while the filter is being set
};

Overflow overflow;

int Sdl_queue_length()
{
    SDL_Event peek[sdl_queue_slots];
    return SDL_PeepEvents(peek, sdl_queue_slots, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

void Overflow_add(const SDL_Event& event)
{
    if (event.type == SDL_QUIT) {
        if (overflow.quit_after == no_quit)
            overflow.quit_after = overflow.events.size();
    } else if (overflow.quit_after == no_quit) {
        overflow.events.push_back(event);
    }
}

// Runs for each event as SDL takes it in, before SDL queues it. Once one
// event is diverted, every later one follows it until the overflow has been
// handed out, so the order of arrival is kept.
int SDLCALL Overflow_filter(const SDL_Event* event)
{
    if (!overflow.keep_all && overflow.events.empty() && overflow.quit_after == no_quit &&
        Sdl_queue_length() < sdl_queue_room)
        return 1;
    Overflow_add(*event);
    return 0;
}

}  // namespace

void Event_overflow_keep()
{
    // SDL 1.2 throws away every pending event when a filter is set, a quit
    // request from SIGTERM or SIGINT included; they go to the overflow
    // instead. Those signals wait meanwhile, so none can slip in between.
    sigset_t quit_signals, before;
    sigemptyset(&quit_signals);
    sigaddset(&quit_signals, SIGINT);
    sigaddset(&quit_signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &quit_signals, &before);
    overflow.keep_all = true;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0)
        Overflow_add(event);
    SDL_SetEventFilter(Overflow_filter);
    overflow.keep_all = false;
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

int Event_wait(SDL_Event& event)
{
    // What SDL holds arrived before anything in the overflow.
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0)
        return 1;
    if (overflow.quit_after == 0) {
        event = SDL_Event{};
        event.type = SDL_QUIT;
        overflow.quit_after = no_quit;
        overflow.events.clear();
        return 1;
    }
    if (!overflow.events.empty()) {
        event = overflow.events.front();
        overflow.events.pop_front();
        if (overflow.quit_after != no_quit)
            --overflow.quit_after;
        return 1;
    }
    return SDL_WaitEvent(&event);
}
