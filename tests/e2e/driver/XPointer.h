// Pointer input through the X server, for runs under Wine.
//
// SendInput makes Wine warp the X pointer for every move, inside a short pointer grab, and the
// grab's enter events come back to Wine as moves to the position they carry: a program busy at
// the time reports them late, and the system's pointer falls back to a position from earlier.
// A button given with SendInput takes whatever position the system has then. Input that the X
// server produces itself (XTest, as a mouse would) reaches Wine as ordinary X events: no warp,
// no echo, and every button event carries the position where it happened. Wine's virtual desktop
// fills the X screen from its top left corner, so screen coordinates are the X server's.
#pragma once

#include <string>

namespace e2e {

// Whether the run gives pointer input through the X server: under Wine, with an xdotool that reads
// its commands from the FIFO named in QUELLON_E2E_XDOTOOL_COMMANDS (run.sh).
bool pointerThroughX();

// Hands xdotool the commands (for example "mousemove 10 20 mousedown 1"). Returns once they are
// written; the caller waits for their effect.
void runXdotool(const std::string& commands);

}  // namespace e2e
