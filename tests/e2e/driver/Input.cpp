#include "Input.h"

#include <iterator>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "E2eTest.h"
#include "OwnedHandles.h"
#include "Text.h"
#include "Wait.h"
#include "XPointer.h"

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

INPUT moveInput(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(point.x, GetSystemMetrics(SM_XVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = normalised(point.y, GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return input;
}

bool pointerAt(POINT point) {
    POINT now{};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

// What each way of giving input calls a mouse button.
struct ButtonCodes {
    DWORD downFlag;
    DWORD upFlag;
    int virtualKey;
    int xButton;
};

ButtonCodes codesOf(MouseButton button) {
    switch (button) {
        case MouseButton::Right: return {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, VK_RBUTTON, 3};
        case MouseButton::Middle:
            return {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, VK_MBUTTON, 2};
        default: return {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON, 1};
    }
}

bool isHeld(MouseButton button) {
    return (GetAsyncKeyState(codesOf(button).virtualKey) & 0x8000) != 0;
}

DWORD WINAPI askHeld(void* button) {
    return isHeld(*static_cast<const MouseButton*>(button)) ? 1 : 0;
}

// Whether the system holds the button down now. Wine answers a thread's GetAsyncKeyState from
// what the thread last read for up to 50 ms while that said "up", so a press that another
// program reports is seen up to 50 ms late; a thread of its own reads it afresh.
bool isHeldNow(MouseButton button) {
    const UniqueHandle thread(CreateThread(nullptr, 0, askHeld, &button, 0, nullptr));
    DWORD held = 0;
    if (!thread || WaitForSingleObject(thread.get(), 2000) != WAIT_OBJECT_0 ||
        !GetExitCodeThread(thread.get(), &held)) {
        return isHeld(button);
    }
    return held == 1;
}

std::string xMove(POINT point) { return cat("mousemove ", point.x, " ", point.y); }

struct ButtonChange {
    MouseButton button;
    bool down;
};

// Through the X server each change is given on its own and waited for, since the driver cannot
// wait for xdotool itself; every button event carries its own position there.
void changeButtonsThroughX(const POINT* point, const std::vector<ButtonChange>& changes) {
    for (const ButtonChange& change : changes) {
        const int xButton = codesOf(change.button).xButton;
        runXdotool(cat(point ? xMove(*point) + " " : std::string(),
                       change.down ? "mousedown " : "mouseup ", xButton));
        if (!waitUntil([&] { return isHeldNow(change.button) == change.down; }, 2000, 2)) {
            throw std::runtime_error(cat("the system did not see mouse button ", xButton,
                                         change.down ? " go down" : " go up"));
        }
    }
}

// Under Wine the system's idea of the pointer can fall back for a moment to a position from
// earlier in a quick run of moves, and a button given alone takes whatever position the system
// has then. Given in one call right behind a move to the point, it takes the point.
void changeButtonsThroughSendInput(const POINT* point, const std::vector<ButtonChange>& changes) {
    std::vector<INPUT> inputs;
    if (point) inputs.push_back(moveInput(*point));
    for (const ButtonChange& change : changes) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        const ButtonCodes codes = codesOf(change.button);
        input.mi.dwFlags = change.down ? codes.downFlag : codes.upFlag;
        inputs.push_back(input);
    }
    const UINT count = static_cast<UINT>(inputs.size());
    if (SendInput(count, inputs.data(), sizeof(INPUT)) != count) {
        throw std::runtime_error("SendInput failed");
    }
}

void changeButtons(const POINT* point, const std::vector<ButtonChange>& changes) {
    if (pointerThroughX()) return changeButtonsThroughX(point, changes);
    changeButtonsThroughSendInput(point, changes);
}

void sendMove(POINT point) {
    if (pointerThroughX()) return runXdotool(xMove(point));
    send(moveInput(point));
}

// The same move once more. The X server makes no event for a move to where its pointer already
// is, so there the pointer goes a pixel aside first.
void sendMoveAgain(POINT point) {
    if (pointerThroughX()) return runXdotool(cat(xMove({point.x + 1, point.y}), " ", xMove(point)));
    send(moveInput(point));
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

void moveSteadily(POINT point, const std::function<void()>& settle) {
    moveTo(point);
    for (int repeats = 0, echoes = 0;;) {
        if (settle) settle();
        POINT at{};
        if (!waitUntil([&] { return !GetCursorPos(&at) || at.x != point.x || at.y != point.y; },
                       kSteadyMs, 10)) {
            return;
        }
        // The pixel aside that a move given again (or a nudge) makes first can be reported
        // late by a busy program: the driver's own move, which Wine's next look at the X
        // pointer ends, not a fall back.
        if (at.x == point.x + 1 && at.y == point.y && echoes++ < kMostEchoes &&
            waitUntil([&] { return pointerAt(point); }, 2000, 5)) {
            continue;
        }
        const std::string fellBack = cat("the pointer fell back from ", point.x, ",", point.y,
                                         " to ", at.x, ",", at.y, " after it had arrived");
        if (repeats++ == kMostRepeats) throw std::runtime_error(fellBack + " again");
        noteRepeatedGesture(fellBack + "; the move is given once more");
        sendMoveAgain(point);
        if (!waitUntil([&] { return pointerAt(point); }, 2000, 5)) {
            throw std::runtime_error(fellBack + ", and a second move did not bring it back");
        }
    }
}

void buttonDown(MouseButton button) { changeButtons(nullptr, {{button, true}}); }

void buttonUp(MouseButton button) { changeButtons(nullptr, {{button, false}}); }

void pressAt(POINT point, MouseButton button) { changeButtons(&point, {{button, true}}); }

void releaseAt(POINT point, const std::vector<MouseButton>& buttons) {
    std::vector<ButtonChange> ups;
    ups.reserve(buttons.size());
    for (MouseButton button : buttons) ups.push_back({button, false});
    changeButtons(&point, ups);
}

void clickAt(POINT point, MouseButton button) {
    changeButtons(&point, {{button, true}, {button, false}});
}

void click(POINT point, MouseButton button) {
    moveTo(point);
    clickAt(point, button);
}

void pressKey(WORD virtualKey) { pressChord({virtualKey}); }

void pressChord(std::initializer_list<WORD> virtualKeys) {
    for (WORD key : virtualKeys) sendKey(key, true);
    for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) {
        sendKey(*key, false);
    }
}

void sendInputButton(POINT point, MouseButton button, bool down) {
    changeButtonsThroughSendInput(&point, {{button, down}});
}

void sendInputMoves(const std::vector<POINT>& path, DWORD intervalMs) {
    for (const POINT& point : path) {
        send(moveInput(point));
        Sleep(intervalMs);  // the pace of the input, not a wait for its effect
    }
}

POINT centreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace e2e
