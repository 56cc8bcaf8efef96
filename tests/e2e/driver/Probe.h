// The probe gesture as a user makes it: a button pressed on the tool's probe, the pointer moved
// over other windows, the button released.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Input.h"
#include "RemoteTree.h"
#include "Session.h"

namespace e2e {

// A drag in progress; the buttons still held are released when it ends.
class ProbeDrag {
public:
    // Presses the buttons, in this order, on the middle of the probe.
    ProbeDrag(Session& session, const std::vector<MouseButton>& buttons = {MouseButton::Left});
    ~ProbeDrag() { release(); }
    ProbeDrag(const ProbeDrag&) = delete;
    ProbeDrag& operator=(const ProbeDrag&) = delete;

    // Moves there in several steps, passing over whatever lies between.
    void glideTo(POINT point);
    // Moves there in one step, so no window on the way sees the pointer.
    void jumpTo(POINT point);
    // Once the tool has handled the moves so far, moves the pointer to one pixel beside the
    // point last aimed at or back onto it, as a resting hand does. Under Wine the pointer
    // position can fall back to an earlier step of a fast drag, and the tool can read one that
    // lags behind; the next move puts both right.
    void nudge();
    void release();

private:
    void press(HWND probe, MouseButton button);

    Session& session_;
    std::vector<MouseButton> held_;
    POINT aim_{};
    LONG nudges_ = 0;
};

// Drags from the probe with the left button to the point and waits until the tree's selected
// entry reads `entry` (nudging the pointer while it waits); returns whether it did.
bool probeTo(Session& session, POINT point, const std::wstring& entry);

// The tree as the tool shows it now.
std::vector<TreeItem> readTree(Session& session);

// The text of the selected entry; empty when nothing is selected.
std::wstring selectedText(Session& session);

// The entry text the tool shows for a window with this text and class.
std::wstring entryFor(const std::wstring& text, const std::wstring& cls);

// What an entry shows of a window's text or class: at most 254 characters, and no half of a
// surrogate pair that the cut divided.
std::wstring shownText(const std::wstring& text);

}  // namespace e2e
