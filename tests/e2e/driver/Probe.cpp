#include "Probe.h"

#include <stdexcept>

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
    // The system routes each move when it is queued: moves given before the probe has taken
    // the capture would go to the windows under the pointer instead. A press that went astray
    // (the pointer fell back to where it was before) is given again.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        moveTo(aim_);
        buttonDown(button);
        if (waitUntil([&] { return captureOf(probe) == probe; }, 1500)) {
            held_.push_back(button);
            session_.settleTool();
            return;
        }
        buttonUp(button);
    }
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    throw std::runtime_error(cat("the probe did not take the mouse capture; under the pointer: ",
                                 className(under), " ", quote(windowText(under))));
}

void ProbeDrag::glideTo(POINT point) {
    aim_ = point;
    e2e::glideTo(point);
}

void ProbeDrag::jumpTo(POINT point) {
    aim_ = point;
    moveTo(point);
}

void ProbeDrag::nudge() {
    session_.settleTool();
    moveTo({aim_.x + (nudges_++ % 2 == 0 ? 1 : 0), aim_.y});
    session_.settleTool();
}

void ProbeDrag::release() {
    for (auto button : held_) buttonUp(button);
    held_.clear();
}

bool probeTo(Session& session, POINT point, const std::wstring& entry) {
    HWND probe = session.tool().r1;
    // Under Wine a fast synthetic drag now and then loses the capture on its way (rarely, with
    // no message box or other cause in the tool); the user's answer, a second drag, is ours.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ProbeDrag drag(session);
        drag.glideTo(point);
        bool dropped = false;
        // Earlier moves may still be queued: the selection counts once the tool has handled
        // them.
        bool arrived = waitUntil(
            [&] {
                if (selectedText(session) == entry) {
                    session.settleTool();
                    if (selectedText(session) == entry) return true;
                }
                dropped = captureOf(probe) != probe;
                if (!dropped) drag.nudge();
                return dropped;
            },
            kDefaultTimeoutMs, 100);
        if (arrived && !dropped) return true;
        if (!dropped) return false;
    }
    return false;
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
