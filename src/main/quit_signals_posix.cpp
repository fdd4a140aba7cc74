// SIGINT and SIGTERM, which SDL turns into a quit request from inside its
// signal handler.
#include "main/quit_signals.h"
#include <csignal>

void Quit_signals_held(void (*work)())
{
    sigset_t quit_signals, before;
    sigemptyset(&quit_signals);
    sigaddset(&quit_signals, SIGINT);
    sigaddset(&quit_signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &quit_signals, &before);
    work();
    sigprocmask(SIG_SETMASK, &before, nullptr);
}
