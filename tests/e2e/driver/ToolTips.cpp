#include "ToolTips.h"

#include <commctrl.h>

#include "RemoteMemory.h"
#include "WindowQueries.h"

namespace e2e {

namespace {

constexpr size_t kTextOffset = (sizeof(TTTOOLINFOW) + 15) / 16 * 16;
// Tooltip controls copy up to 1024 characters into the caller's buffer.
constexpr size_t kTextCapacity = 1024;

std::vector<HWND> tooltipControls(DWORD processId) {
    std::vector<HWND> found;
    for (HWND w : allTopLevelWindows()) {
        if (processOf(w) == processId && lstrcmpiW(className(w).c_str(), TOOLTIPS_CLASSW) == 0) {
            found.push_back(w);
        }
    }
    return found;
}

// The tool that `message` (TTM_ENUMTOOLSW, TTM_GETCURRENTTOOLW) fills in, read through the
// tooltip's process.
std::optional<ToolTip> readTool(HWND tooltip, RemoteBuffer& buffer, UINT message, WPARAM index) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<LPWSTR>(buffer.address(kTextOffset));
    buffer.put(0, info);
    buffer.put(kTextOffset, L'\0');
    if (!sendTo(tooltip, message, index, reinterpret_cast<LPARAM>(buffer.address()))) {
        return std::nullopt;
    }
    info = buffer.get<TTTOOLINFOW>(0);
    std::wstring text(kTextCapacity + 1, L'\0');
    buffer.read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    HWND control = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
    return ToolTip{control, info.uId, text, tooltip, info.uFlags};
}

RemoteBuffer toolBuffer(HWND tooltip) {
    return RemoteBuffer(processOf(tooltip), kTextOffset + (kTextCapacity + 1) * sizeof(wchar_t));
}

void readTools(HWND tooltip, std::vector<ToolTip>& out) {
    RemoteBuffer buffer = toolBuffer(tooltip);
    auto count = static_cast<UINT>(sendTo(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        if (auto tool = readTool(tooltip, buffer, TTM_ENUMTOOLSW, i)) out.push_back(*tool);
    }
}

}  // namespace

std::vector<ToolTip> toolTipsOf(DWORD processId) {
    std::vector<ToolTip> tips;
    for (HWND tooltip : tooltipControls(processId)) readTools(tooltip, tips);
    return tips;
}

std::optional<ToolTip> shownToolTip(DWORD processId) {
    for (HWND tooltip : tooltipControls(processId)) {
        if (!IsWindowVisible(tooltip)) continue;
        RemoteBuffer buffer = toolBuffer(tooltip);
        if (auto tool = readTool(tooltip, buffer, TTM_GETCURRENTTOOLW, 0)) return tool;
    }
    return std::nullopt;
}

const ToolTip* toolTipFor(const std::vector<ToolTip>& tips, HWND control) {
    for (const auto& tip : tips) {
        if (tip.control == control) return &tip;
    }
    return nullptr;
}

}  // namespace e2e
