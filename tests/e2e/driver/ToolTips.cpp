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

void readTools(HWND tooltip, std::vector<ToolTip>& out) {
    RemoteBuffer buffer(processOf(tooltip), kTextOffset + (kTextCapacity + 1) * sizeof(wchar_t));
    auto count = static_cast<UINT>(sendTo(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = reinterpret_cast<LPWSTR>(buffer.address(kTextOffset));
        buffer.put(0, info);
        buffer.put(kTextOffset, L'\0');
        if (!sendTo(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(buffer.address()))) {
            continue;
        }
        info = buffer.get<TTTOOLINFOW>(0);
        std::wstring text(kTextCapacity + 1, L'\0');
        buffer.read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
        text.resize(text.find(L'\0'));
        HWND control = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
        out.push_back({control, info.uId, text});
    }
}

}  // namespace

std::vector<ToolTip> toolTipsOf(DWORD processId) {
    std::vector<ToolTip> tips;
    for (HWND tooltip : tooltipControls(processId)) readTools(tooltip, tips);
    return tips;
}

const ToolTip* toolTipFor(const std::vector<ToolTip>& tips, HWND control) {
    for (const auto& tip : tips) {
        if (tip.control == control) return &tip;
    }
    return nullptr;
}

}  // namespace e2e
