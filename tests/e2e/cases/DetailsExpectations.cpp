#include "DetailsExpectations.h"

#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <map>

#include "../driver/Input.h"
#include "../driver/MessageBoxes.h"
#include "../driver/OwnedHandles.h"
#include "../driver/Probe.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"

namespace e2e {

namespace {

constexpr double kTwipsPerInch = 1440;

std::wstring hexOf(std::uint32_t value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%X", value);
    return text;
}

std::wstring decimalSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return L".";
    return separator;
}

// A number in the general format: no decimal part when whole, else up to 15 significant digits.
std::wstring generalNumber(double value) {
    wchar_t digits[64];
    std::swprintf(digits, 64, L"%.15g", value);
    std::wstring text = digits;
    if (auto point = text.find(L'.'); point != std::wstring::npos) {
        text.replace(point, 1, decimalSeparator());
    }
    return text;
}

// Twips per pixel as the tool's screen object holds it: single precision, from the DPI.
float twipsPerPixel(int capability) {
    const int dpi = GetDeviceCaps(ClientDC().get(), capability);
    return static_cast<float>(kTwipsPerInch / dpi);
}

void collect(const std::vector<TreeItem>& items, std::multimap<std::wstring, HTREEITEM>& out) {
    for (const auto& item : items) {
        out.emplace(item.text, item.handle);
        collect(item.children, out);
    }
}

}  // namespace

std::wstring executablePath(DWORD processId) {
    const UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameExW(process.get(), nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

std::wstring fileNameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

std::wstring expectedDetails(HWND window, const std::wstring& module) {
    // Handles are 32-bit values in every process, 64-bit ones included.
    auto handle = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    SIZE size = clientSize(window);
    double twipsX = double{twipsPerPixel(LOGPIXELSX)} * size.cx;
    double twipsY = double{twipsPerPixel(LOGPIXELSY)} * size.cy;
    return L"Fensterhandle: " + std::to_wstring(handle) + L"  (&H" +
           hexOf(static_cast<std::uint32_t>(handle)) + L")\r\n" + L"Fensterklasse: " +
           className(window) + L"\r\n" + L"ProcessID:     " + std::to_wstring(processId) + L"(&H" +
           hexOf(processId) + L")\r\n" + L"Modul:         " + module + L"\r\n" +
           L"Größe:         " + std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy) +
           L" Pixel( " + generalNumber(twipsX) + L" x " + generalNumber(twipsY) + L" Twips)";
}

namespace {

std::vector<EntryOf> entriesInView(Session& session, const std::vector<HWND>& windows) {
    HWND control = session.tool().trv;
    RemoteTree tree(control);
    // Only entries wholly in the client area: a scroll bar can cover the lowest one.
    RECT client{};
    GetClientRect(control, &client);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
    auto inClientArea = [&](const RECT& r) {
        return r.top >= client.top && r.bottom <= client.bottom && r.left >= client.left &&
               centreOf(r).x < client.right;
    };
    std::multimap<std::wstring, HTREEITEM> byText;
    collect(tree.read(), byText);
    std::vector<EntryOf> shown;
    for (HWND window : windows) {
        std::wstring text = shownText(windowText(window));
        auto found = byText.find(entryFor(text, className(window)));
        if (found == byText.end()) continue;
        if (auto rect = tree.itemRect(found->second); rect && inClientArea(*rect)) {
            shown.push_back({found->second, window});
        }
    }
    return shown;
}

}  // namespace

std::vector<EntryOf> shownEntries(Session& session, const std::vector<HWND>& windows) {
    // Right after a rebuild the control may still be laying out and scrolling to the selection.
    std::vector<EntryOf> shown;
    waitUntil(
        [&] {
            shown = entriesInView(session, windows);
            return shown.size() == windows.size();
        },
        2000);
    return shown;
}

bool clickEntry(Session& session, HTREEITEM entry) {
    auto rect = RemoteTree(session.tool().trv).itemRect(entry);
    if (!rect) return false;
    POINT point = centreOf(*rect);
    // Under Wine a late report of an earlier pointer position can arrive after the move; one
    // that comes between press and release makes the tree take the click for the start of a
    // drag. The press waits until the tool has seen the pointer resting on the entry.
    moveTo(point);
    int steady = 0;
    waitUntil(
        [&] {
            session.settleTool();
            POINT at{};
            GetCursorPos(&at);
            if (at.x == point.x && at.y == point.y) return ++steady == 3;
            steady = 0;
            moveTo(point);
            return false;
        },
        2000, 1);
    clickAt(point);
    return true;
}

namespace {

bool waitForText(Session& session, const std::wstring& expected, DWORD timeoutMs) {
    HWND textBox = session.tool().txtInf;
    return waitUntil([&] { return windowText(textBox) == expected; }, timeoutMs, 10);
}

// The tool lets messages through before its pause and after it: the second answer comes once
// the pause is over.
void waitForFlashEnd(Session& session) {
    session.settleTool();
    session.settleTool();
}

}  // namespace

bool waitForDetails(Session& session, const std::wstring& expected) {
    if (!waitForText(session, expected, kDefaultTimeoutMs)) return false;
    waitForFlashEnd(session);
    return true;
}

bool clickForDetails(Session& session, HTREEITEM entry, const std::wstring& expected) {
    return clickEntry(session, entry) && waitForDetails(session, expected);
}

bool clickAndCheckDetails(TestContext& t, HTREEITEM entry, const std::wstring& expected) {
    if (clickForDetails(t.session(), entry, expected)) return true;
    return t.check(false, cat("details text: expected ", quote(expected), toolState(t.session())));
}

std::string toolState(Session& session) {
    POINT at{};
    GetCursorPos(&at);
    HWND capture = captureOf(session.tool().main);
    std::string state =
        cat("\n       text box: ", quote(windowText(session.tool().txtInf)), "\n       pointer at ",
            at.x, ",", at.y, " over ", describeWindow(WindowFromPoint(at)),
            "; the tool's capture: ", capture ? describeWindow(capture) : std::string("none"));
    for (const auto& box : messageBoxesOf(session.toolProcessId())) {
        state += cat("\n       message box ", quote(box.caption), ": ", quote(box.text));
    }
    return state + "\n       the tree:" + describe(readTree(session));
}

void note(const std::string& line) {
    std::printf("       %s\n", line.c_str());
    std::fflush(stdout);
}

}  // namespace e2e
