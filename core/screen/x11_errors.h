// X errors on the recorder's own connections. Xlib reports an error through one handler for
// the whole process, whose default ends the process: a region that no longer fits a shrunken
// screen, or a shortcut another program holds, must be a message instead. Errors of displays
// that are not ours go to the handler that was there before (the toolkit's). The same for a
// connection that is lost: ours are told, others go to the handler before.
#pragma once

#include <X11/Xlib.h>

// Starts catching the errors of display (until Forget): installs the handler once.
void CatchX11Errors(Display* display);
void ForgetX11Errors(Display* display);
// The code of the last error on display since the last call (0: none), after a round trip
// that makes the server report what it found.
int TakeX11Error(Display* display);
