// The computer's moves: chosen and played on a thread of its own while the
// window stays responsive. At most one such thread exists; it hands every
// window and game change over to the UI thread, in order, and sleeps its
// animation pauses on its own.
#pragma once

#include "search/SearchControl.h"

// The stop flags of the computer's searches: Force Move sets the stop
// request, closing the lasting stop.
extern TSearchControl ComputerControl;

// Starts the computer's thread unless it is thinking already. The thinking
// flag is set here, before the thread starts, so no second one can start.
void StartThinkingMove();
// The thread's body: plays for the side to move (and on, in Auto Play).
void thread_code(void*);
// UI thread: stops a running search for good, waits (keeping the window
// working) while the computer finishes its move, and joins the thread.
void StopThinkingMove();
