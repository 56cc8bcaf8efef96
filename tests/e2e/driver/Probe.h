// The probe gesture as a user makes it: a button pressed on the tool's probe, the pointer moved
// over other windows, the button released.
#pragma once

#include <windows.h>

#include <functional>
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
    ~ProbeDrag() {
        try {
            release();
        } catch (...) {
            // The case has failed already; its end checks find a button still held.
        }
    }
    ProbeDrag(const ProbeDrag&) = delete;
    ProbeDrag& operator=(const ProbeDrag&) = delete;

    // How a move ends: Steady waits, after the tool has handled it, until the pointer is seen to
    // stay where it was sent, and gives the move again where it fell back to an earlier
    // position (Input.h); Handled only until the tool has handled it, for moves after which the
    // case checks nothing that depends on where the pointer rests.
    enum class Arrival { Steady, Handled };

    // Moves there in several steps, passing over whatever lies between, and waits until the
    // tool has handled the moves.
    void glideTo(POINT point, Arrival arrival = Arrival::Steady);
    // Moves there in one step, so no window on the way sees the pointer, and waits until the tool
    // has handled the move.
    void jumpTo(POINT point, Arrival arrival = Arrival::Steady);
    // Waits until `shown` holds. Where it does not after a first look, the pointer rests where it
    // was sent but the tool was handed a move from earlier in the drag: the move is given once
    // more, noted on a line of its own, and the wait goes on.
    bool waitUntilShown(const std::function<bool()>& shown, const std::string& what);
    // Lets go of the buttons where the pointer was last sent, and waits until the tool has
    // handled it.
    void release();

private:
    void press(HWND probe, MouseButton button);

    Session& session_;
    std::vector<MouseButton> held_;
    POINT aim_{};
};

// The steps of a glide.
inline constexpr int kGlideSteps = 8;
// How long a tool that handled a move takes at most to show its window, with a wide margin.
inline constexpr DWORD kFirstLookMs = 3000;

// Drags from the probe with the left button to the point, waits until the tree's selected entry
// reads `entry`, and lets go there; returns whether the selection read `entry` while the button
// was held and still does after the release.
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
