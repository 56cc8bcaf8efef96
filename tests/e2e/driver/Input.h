// Real mouse and keyboard input through SendInput, as a user would give it.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace e2e {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to the screen point in one step and waits until the system reports it there.
void moveTo(POINT point);
// Moves in `steps` even steps from where the pointer is to the point, as a hand would, but
// leaves out the steps that would land on the bare desktop.
void glideTo(POINT point, int steps = 8);
void buttonDown(MouseButton button);
void buttonUp(MouseButton button);
void click(POINT point, MouseButton button = MouseButton::Left);
void pressKey(WORD virtualKey);
// Presses the keys in order and releases them in reverse order, as a combination is typed.
void pressChord(std::initializer_list<WORD> virtualKeys);

POINT centreOf(const RECT& rect);

}  // namespace e2e
