// Real mouse and keyboard input, as a user would give it: keys through SendInput, the pointer
// through the X server under Wine (see XPointer.h) and through SendInput elsewhere.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace e2e {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to the screen point in one step and waits until the system reports it there.
void moveTo(POINT point);
// Moves there, lets `settle` wait for the programs to handle the move, and makes sure that the
// pointer stays there. Under Wine a busy program can hand the system a position from earlier in
// a quick run of moves after the pointer arrived: the pointer falls back there, and the windows
// are sent a move back there too. The move is then given again, noted on a line of its own, at
// most kMostRepeats times.
void moveSteadily(POINT point, const std::function<void()>& settle = {});

// How long the pointer must stay where it was sent: the fallbacks seen come within this.
inline constexpr DWORD kSteadyMs = 150;
// How often a gesture is given again whose delivery went wrong.
inline constexpr int kMostRepeats = 2;
// Late reports of the driver's own pixel-aside moves that a steady move waits out.
inline constexpr int kMostEchoes = 3;
void buttonDown(MouseButton button);
void buttonUp(MouseButton button);
// The same, each given in one call with a move to the point, so that it lands there even where
// the system lags behind the pointer (see Input.cpp).
void pressAt(POINT point, MouseButton button);
void releaseAt(POINT point, const std::vector<MouseButton>& buttons);
void clickAt(POINT point, MouseButton button = MouseButton::Left);
void click(POINT point, MouseButton button = MouseButton::Left);
void pressKey(WORD virtualKey);
// Presses the keys in order and releases them in reverse order, as a combination is typed.
void pressChord(std::initializer_list<WORD> virtualKeys);

// Pointer input through SendInput whatever the run gives otherwise, as automation tools and
// remote-control programs give it: a move there with a button going down or up, and moves along
// the path with `intervalMs` between them.
void sendInputButton(POINT point, MouseButton button, bool down);
void sendInputMoves(const std::vector<POINT>& path, DWORD intervalMs);

POINT centreOf(const RECT& rect);

}  // namespace e2e
