// The quit request from the console on Windows: Ctrl-C, which the C runtime
// raises as SIGINT on a thread of its own and SDL turns into a quit request.
// Windows has no signal mask, so a Ctrl-C that comes while `work` runs is
// taken by a console handler of ours and raised again afterwards.
#include "main/quit_signals.h"
#include <windows.h>
#include <atomic>
#include <csignal>

namespace {

// Set on the console's own thread; the handler takes no argument of ours.
std::atomic<bool>& Quit_pending()
{
    static std::atomic<bool> pending{false};
    return pending;
}

BOOL WINAPI Quit_hold(DWORD event)
{
    if (event != CTRL_C_EVENT)
        return FALSE;   // the next handler (the C runtime's) takes it
    Quit_pending() = true;
    return TRUE;
}

}  // namespace

void Quit_signals_held(void (*work)())
{
    // Handlers run last-added first, so this one comes before the runtime's.
    const bool holding = SetConsoleCtrlHandler(Quit_hold, TRUE) != 0;
    work();
    if (holding)
        SetConsoleCtrlHandler(Quit_hold, FALSE);
    if (Quit_pending().exchange(false))
        std::raise(SIGINT);
}
