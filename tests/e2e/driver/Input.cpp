#include "Input.h"

#include <iterator>
#include <stdexcept>

#include "Text.h"
#include "Wait.h"

namespace e2e {

namespace {

void send(INPUT input) {
    if (SendInput(1, &input, sizeof input) != 1) throw std::runtime_error("SendInput failed");
}

// Absolute input runs from 0 to 65535 across the virtual desktop. The value aims at the middle
// of the pixel: Wine turns it back into pixels in more than one place, truncating in one and
// rounding in another, and a value near a pixel's edge (6 of 1280 gave 307, that is 5.996) landed
// on the neighbouring pixel now and then.
LONG normalised(LONG value, int origin, int extent) {
    return static_cast<LONG>((static_cast<long long>(value - origin) * 2 + 1) * 65536 /
                             (2LL * extent));
}

void sendMove(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(point.x, GetSystemMetrics(SM_XVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = normalised(point.y, GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    send(input);
}

bool pointerAt(POINT point) {
    POINT now{};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

DWORD buttonFlag(MouseButton button, bool down) {
    switch (button) {
        case MouseButton::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        case MouseButton::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        default: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

void sendButton(MouseButton button, bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = buttonFlag(button, down);
    send(input);
}

void sendKey(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    send(input);
}

}  // namespace

void moveTo(POINT point) {
    sendMove(point);
    if (!waitUntil([&] { return pointerAt(point); }, 2000, 5)) {
        POINT now{};
        GetCursorPos(&now);
        throw std::runtime_error(cat("the pointer did not arrive at ", point.x, ",", point.y,
                                     "; it is at ", now.x, ",", now.y));
    }
}

void glideTo(POINT point, int steps) {
    POINT from{};
    GetCursorPos(&from);
    for (int i = 1; i < steps; ++i) {
        POINT step = {from.x + (point.x - from.x) * i / steps,
                      from.y + (point.y - from.y) * i / steps};
        // Over the bare desktop a probe would walk every window of the system and meet
        // top-level windows without an entry for their parent: the way leaves such points out.
        if (WindowFromPoint(step) != GetDesktopWindow()) moveTo(step);
    }
    moveTo(point);
}

void buttonDown(MouseButton button) { sendButton(button, true); }

void buttonUp(MouseButton button) { sendButton(button, false); }

void click(POINT point, MouseButton button) {
    moveTo(point);
    buttonDown(button);
    buttonUp(button);
}

void pressKey(WORD virtualKey) { pressChord({virtualKey}); }

void pressChord(std::initializer_list<WORD> virtualKeys) {
    for (WORD key : virtualKeys) sendKey(key, true);
    for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) {
        sendKey(*key, false);
    }
}

POINT centreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace e2e
