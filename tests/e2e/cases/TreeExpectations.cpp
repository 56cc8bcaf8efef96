#include "TreeExpectations.h"

#include <cstdint>
#include <cwchar>

#include "../driver/MessageBoxes.h"
#include "../driver/Probe.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"

namespace e2e {

namespace {

int countSelected(const std::vector<TreeItem>& items) {
    int n = 0;
    for (const auto& item : items) n += (item.selected ? 1 : 0) + countSelected(item.children);
    return n;
}

std::vector<HWND> chainWindows(HWND window) {
    std::vector<HWND> chain;
    for (HWND w = window; w; w = GetParent(w)) chain.insert(chain.begin(), w);
    return chain;
}

// The text of a chain's window as GetWindowText reads it, which, unlike WM_GETTEXT, asks no
// other process (the desktop window answers WM_GETTEXT with a title of Wine's).
std::wstring chainEntry(HWND window) {
    wchar_t text[255] = {};
    GetWindowTextW(window, text, 255);
    return entryFor(text, shownText(className(window)));
}

// One line of the text form: tabs, the entry with its control characters as pictures, the
// handle, and the word for a window that is not visible.
std::wstring textLine(std::size_t depth, const std::wstring& entry, HWND window) {
    std::wstring line(depth, L'\t');
    for (wchar_t c : entry) line += c < 0x20 ? static_cast<wchar_t>(0x2400 + c) : c;
    line += L"\t&H" + hexDigits(window);
    if (!IsWindowVisible(window)) line += L"\tunsichtbar";
    return line + L"\r\n";
}

void appendSubtree(std::wstring& text, HWND window, std::size_t depth) {
    text += textLine(depth, entryFor(shownText(windowText(window)), shownText(className(window))),
                     window);
    for (HWND child : childrenOf(window)) appendSubtree(text, child, depth + 1);
}

}  // namespace

std::vector<std::wstring> chainOf(HWND window) {
    std::vector<std::wstring> chain;
    for (HWND w : chainWindows(window)) chain.push_back(chainEntry(w));
    return chain;
}

std::wstring hexDigits(HWND window) {
    wchar_t digits[16];
    std::swprintf(digits, 16, L"%X",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
    return digits;
}

HWND vanishedWindow(TestContext& t) {
    const HWND main = t.session().fixture().main;
    const auto added = reinterpret_cast<HWND>(
        SendMessageW(main, RegisterWindowMessageW(fixture::kAddChildMessage), 0, 0));
    t.require(added != nullptr, "the fixture created no window");
    SendMessageW(added, WM_CLOSE, 0, 0);
    t.require(!IsWindow(added), "the fixture's new window did not go");
    return added;
}

void checkTreeShows(TestContext& t, const std::vector<TreeItem>& roots, HWND window) {
    const TreeItem* target = checkChain(t, roots, chainOf(window));
    if (!target) return;
    const TreeItem subtree = expectedSubtree(window, true);
    t.check(*target == subtree, cat("below the target expected:", describe({subtree}),
                                    "\n       shown:", describe({*target})));
}

std::wstring expectedTreeText(HWND target) {
    const std::vector<HWND> chain = chainWindows(target);
    std::wstring text = L"DesktopWindow\r\n";
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        text += textLine(i + 1, chainEntry(chain[i]), chain[i]);
    }
    appendSubtree(text, target, chain.size());
    return text;
}

const TreeItem* checkChain(TestContext& t, const std::vector<TreeItem>& roots,
                           const std::vector<std::wstring>& chain) {
    std::string tree = cat(" in the tree:", describe(roots));
    if (!t.check(roots.size() == 1 && roots[0].text == L"DesktopWindow",
                 cat("\"DesktopWindow\" should be the only top entry", tree))) {
        return nullptr;
    }
    t.check(roots[0].image == 0, cat("\"DesktopWindow\" should have no picture", tree));
    t.check(roots[0].expanded, cat("\"DesktopWindow\" should be expanded", tree));
    const TreeItem* node = &roots[0];
    for (size_t i = 0; i < chain.size(); ++i) {
        bool last = i + 1 == chain.size();
        if (!t.check(node->children.size() >= 1 && node->children[0].text == chain[i],
                     cat("chain entry ", i + 1, " should be ", quote(chain[i]), tree))) {
            return nullptr;
        }
        t.check(node->children.size() == 1,
                cat("the chain entry above ", quote(chain[i]), " should have one child", tree));
        node = &node->children[0];
        t.check(node->image == 1, cat(quote(node->text), " should have picture 1", tree));
        t.check(node->expanded, cat(quote(node->text), " should be expanded", tree));
        if (last) t.check(node->selected, cat(quote(node->text), " should be selected", tree));
    }
    t.check(countSelected(roots) == 1, cat("exactly one entry should be selected", tree));
    return node;
}

TreeItem expectedEntry(const std::wstring& text, const std::wstring& cls, int image,
                       std::vector<TreeItem> children) {
    TreeItem item;
    item.text = entryFor(text, cls);
    item.image = image;
    item.expanded = true;
    item.children = std::move(children);
    return item;
}

TreeItem expectedSubtree(HWND window, bool selected) {
    TreeItem item = expectedEntry(shownText(windowText(window)), shownText(className(window)),
                                  IsWindowVisible(window) ? 1 : 2);
    item.selected = selected;
    for (HWND child : childrenOf(window)) item.children.push_back(expectedSubtree(child, false));
    return item;
}

SideFixture startSideFixture(TestContext& t, const std::vector<std::wstring>& args,
                             const wchar_t* topClass, const std::wstring& exe) {
    SideFixture side{ChildProcess(exe.empty() ? t.session().paths().fixture : exe, args)};
    side.top = waitForTopLevel(
        side.process.id(), [&](HWND w) { return className(w) == topClass; }, 20000);
    t.require(side.top != nullptr,
              cat("the fixture showed no window of the class ", quote(topClass)));
    return side;
}

bool probeAndCheck(TestContext& t, POINT point, const std::wstring& entry) {
    if (probeTo(t.session(), point, entry)) return true;
    POINT at{};
    GetCursorPos(&at);
    HWND capture = captureOf(t.session().tool().main);
    std::string boxes =
        cat("\n       pointer at ", at.x, ",", at.y, " over ", className(WindowFromPoint(at)),
            ", capture: ", capture ? className(capture) : std::wstring(L"none"));
    for (const auto& box : messageBoxesOf(t.session().toolProcessId())) {
        boxes += cat("\n       message box ", quote(box.caption), ": ", quote(box.text));
    }
    t.check(false, cat("after a drag to ", point.x, ",", point.y, " the selection should read ",
                       quote(entry), boxes, "\n       the tree:", describe(readTree(t.session()))));
    return false;
}

void checkNoReport(TestContext& t) {
    for (const auto& box : messageBoxesOf(t.session().toolProcessId())) {
        t.check(false, cat("message box ", quote(box.caption), ": ", quote(box.text)));
    }
}

POINT bareToolPoint(const ToolWindows& tool) {
    const RECT tree = rectInParent(tool.trv);
    const RECT probe = rectInParent(tool.r1);
    return clientToScreen(tool.main, {(tree.right + probe.left) / 2, probe.bottom + 20});
}

std::wstring fixtureMainEntry() { return entryFor(fixture::kMainTitle, fixture::kMainClass); }

std::wstring fixtureDialogEntry() { return entryFor(fixture::kDialogTitle, fixture::kDialogClass); }

}  // namespace e2e
