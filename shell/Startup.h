// Brixol from its start to its end: one copy per settings file, the common
// controls, the main window and the window thread's message loop.
#pragma once

// The process's exit code: 0 after a normal end, and for a copy that handed
// over to the one already running on the same settings file; not 0 when the
// main window could not be made, which the player is told.
int runBrixol(int showCommand);
