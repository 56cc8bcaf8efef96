#include "Probe.h"

#include "Wait.h"
#include "WindowQueries.h"

namespace e2e {

ProbeDrag::ProbeDrag(Session& session, std::initializer_list<MouseButton> buttons) {
    moveTo(centreOf(windowRect(session.tool().r1)));
    for (auto button : buttons) {
        buttonDown(button);
        held_.push_back(button);
    }
}

void ProbeDrag::release() {
    for (auto button : held_) buttonUp(button);
    held_.clear();
}

bool probeTo(Session& session, POINT point, const std::wstring& entry) {
    ProbeDrag drag(session);
    drag.glideTo(point);
    return waitUntil([&] { return selectedText(session) == entry; });
}

std::vector<TreeItem> readTree(Session& session) { return RemoteTree(session.tool().trv).read(); }

std::wstring selectedText(Session& session) {
    RemoteTree tree(session.tool().trv);
    HTREEITEM selected = tree.selection();
    return selected ? tree.item(selected).text : std::wstring();
}

std::wstring entryFor(const std::wstring& text, const std::wstring& cls) {
    return text.empty() ? L"(" + cls + L")" : L"\"" + text + L"\"  (" + cls + L")";
}

}  // namespace e2e
