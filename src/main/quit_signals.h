// The signals a person or a session manager sends to ask a program to
// quit. Where they exist, SDL turns them into a quit request; the event
// queue's set-up holds them back while it moves SDL's pending events.
#pragma once

// Runs `work` with the quit signals held back; one that arrives meanwhile
// is delivered afterwards.
void Quit_signals_held(void (*work)());
