#include "Probe.h"

#include <stdexcept>

#include "E2eTest.h"
#include "Text.h"
#include "Wait.h"
#include "WindowQueries.h"

namespace e2e {

ProbeDrag::ProbeDrag(Session& session, const std::vector<MouseButton>& buttons)
    : session_(session) {
    HWND probe = session.tool().r1;
    aim_ = centreOf(windowRect(probe));
    for (auto button : buttons) press(probe, button);
}

void ProbeDrag::press(HWND probe, MouseButton button) {
    for (int attempt = 1;; ++attempt) {
        // The system routes each move when it is queued: moves given before the probe has taken
        // the capture would go to the windows under the pointer instead.
        moveTo(aim_);
        const HWND activeBefore = GetForegroundWindow();
        pressAt(aim_, button);
        HWND elsewhere = nullptr;
        const bool answered = waitUntil(
            [&] {
                if (captureOf(probe) == probe) return true;
                // A press that lands on another program's control makes it take the capture.
                HWND other = captureOf(GetForegroundWindow());
                elsewhere = other != probe ? other : nullptr;
                return elsewhere != nullptr;
            },
            kFirstLookMs);
        if (answered && !elsewhere) {
            held_.push_back(button);
            session_.settleTool();
            return;
        }
        buttonUp(button);
        // Under Wine a busy program can hand the system a pointer position from earlier, and the
        // press lands there although it was given together with a move to the probe; a press
        // that activates the tool can be taken for the activation alone; and a busy program can
        // take the foreground, which ends the capture.
        std::string wentWrong;
        if (elsewhere) {
            wentWrong = cat("the press meant for the probe landed on ", describeWindow(elsewhere));
        } else if (activeBefore != GetAncestor(probe, GA_ROOT)) {
            wentWrong = cat("the press that activated the tool (", describeWindow(activeBefore),
                            " was active) did not reach the probe");
        } else if (HWND active = GetForegroundWindow(); active != activeBefore) {
            wentWrong = cat("the tool lost the foreground to ", describeWindow(active),
                            " as it was pressed, and with it the capture");
        }
        if (wentWrong.empty() || attempt > kMostRepeats) {
            throw std::runtime_error(cat("the probe did not take the mouse capture",
                                         wentWrong.empty() ? "" : "; ", wentWrong));
        }
        noteRepeatedGesture(wentWrong + "; the press is given once more");
    }
}

void ProbeDrag::glideTo(POINT point, Arrival arrival) {
    const POINT from = aim_;
    for (int i = 1; i < kGlideSteps; ++i) {
        const POINT step = {from.x + (point.x - from.x) * i / kGlideSteps,
                            from.y + (point.y - from.y) * i / kGlideSteps};
        // Over the bare desktop a probe would walk every window of the system and meet
        // top-level windows without an entry for their parent: the way leaves such points out.
        if (WindowFromPoint(step) == GetDesktopWindow()) continue;
        moveTo(step);
        // Under Wine each move makes the programs under the pointer report it back to the
        // system, each when it next waits for input; a tool still busy with an earlier move
        // would report this position late, after the moves that follow. The next step waits.
        session_.settleTool();
    }
    jumpTo(point, arrival);
}

void ProbeDrag::jumpTo(POINT point, Arrival arrival) {
    aim_ = point;
    if (arrival == Arrival::Steady) return moveSteadily(point, [&] { session_.settleTool(); });
    moveTo(point);
    session_.settleTool();
}

bool ProbeDrag::waitUntilShown(const std::function<bool()>& shown, const std::string& what) {
    const POINT aim = aim_;
    for (int attempt = 1;; ++attempt) {
        // A pointer that falls back to where it was earlier in the drag (Input.h) ends the
        // look at once: the tool then shows that window.
        POINT at = aim;
        const auto fellBack = [&] { return GetCursorPos(&at) && (at.x != aim.x || at.y != aim.y); };
        if (waitUntil([&] { return shown() || fellBack(); }, kFirstLookMs) && !fellBack()) {
            return true;
        }
        if (attempt > kMostRepeats) return false;
        // Either the pointer fell back, or it rests where it was sent, yet the tool shows
        // another window: its last move came with a position from earlier in the drag (Wine
        // merges a late one into the move that arrived). A move away and back shows whether the
        // tool follows moves that arrive.
        noteRepeatedGesture(
            at.x != aim.x || at.y != aim.y
                ? cat("the pointer fell back from ", aim.x, ",", aim.y, " to ", at.x, ",", at.y,
                      " before the tool showed ", what, "; the move is given once more")
                : cat("the tool did not show ", what, " with the pointer resting at ", aim.x, ",",
                      aim.y, "; the move is given once more"));
        jumpTo({aim.x + 1, aim.y});
        jumpTo(aim);
    }
}

void ProbeDrag::release() {
    if (held_.empty()) return;
    releaseAt(aim_, held_);
    held_.clear();
    session_.settleTool();
}

bool probeTo(Session& session, POINT point, const std::wstring& entry) {
    {
        ProbeDrag drag(session);
        drag.glideTo(point);
        // Earlier moves may still be queued: the selection counts once the tool has handled
        // them.
        const bool shownWhileHeld = drag.waitUntilShown(
            [&] {
                if (selectedText(session) != entry) return false;
                session.settleTool();
                return selectedText(session) == entry;
            },
            quote(entry));
        if (!shownWhileHeld) return false;
    }
    // What the user sees after letting go.
    return selectedText(session) == entry;
}

std::vector<TreeItem> readTree(Session& session) { return RemoteTree(session.tool().trv).read(); }

std::wstring selectedText(Session& session) {
    auto selected = RemoteTree(session.tool().trv).selected();
    return selected ? selected->text : std::wstring();
}

std::wstring entryFor(const std::wstring& text, const std::wstring& cls) {
    return text.empty() ? L"(" + cls + L")" : L"\"" + text + L"\"  (" + cls + L")";
}

std::wstring shownText(const std::wstring& text) {
    if (text.size() <= 254) return text;
    std::wstring shown = text.substr(0, 254);
    if (IS_HIGH_SURROGATE(shown.back())) shown.pop_back();
    return shown;
}

}  // namespace e2e
