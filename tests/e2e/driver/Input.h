// Real mouse and keyboard input through SendInput, as a user would give it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace e2e {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to the screen point in one step and waits until the system reports it there.
void moveTo(POINT point);
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

POINT centreOf(const RECT& rect);

}  // namespace e2e
