#include "Session.h"

#include <stdexcept>

#include "../fixture/FixtureLayout.h"
#include "Input.h"
#include "MessageBoxes.h"
#include "Text.h"
#include "Wait.h"
#include "WindowQueries.h"
#include "shared_names.h"

namespace e2e {

namespace {

constexpr DWORD kStartTimeoutMs = 20000;

// The tool's controls are told apart by class and caption; the probe is the one child that is
// none of the others.
ToolWindows identifyControls(HWND main) {
    ToolWindows tool;
    tool.main = main;
    for (HWND child : childrenOf(main)) {
        std::wstring cls = className(child);
        std::wstring text = windowText(child);
        if (cls == L"SysTreeView32" && !tool.trv) {
            tool.trv = child;
        } else if (cls == L"Edit" && !tool.txtInf) {
            tool.txtInf = child;
        } else if (cls == L"Static" && text == L"Transparenz") {
            tool.labelT = child;
        } else if (cls == L"Button" && text == L"On Top") {
            tool.chkTop = child;
        } else if (cls == L"Button" && text.size() == 1 && text[0] >= L'0' && text[0] <= L'2') {
            tool.command1[text[0] - L'0'] = child;
        } else if (!tool.r1) {
            tool.r1 = child;
        }
    }
    return tool;
}

bool complete(const ToolWindows& tool) {
    return tool.main && tool.trv && tool.txtInf && tool.r1 && tool.labelT && tool.command1[0] &&
           tool.command1[1] && tool.command1[2] && tool.chkTop;
}

}  // namespace

HWND FixtureWindows::byId(int id) const {
    for (HWND top : {main, dialog}) {
        for (HWND w : allDescendants(top)) {
            if (GetDlgCtrlID(w) == id) return w;
        }
    }
    return nullptr;
}

const ToolWindows& Session::tool() {
    if (toolProcess_.running() && IsWindow(tool_.main)) return tool_;
    if (toolProcess_.started()) {
        const std::string problem = toolProcess_.stop();
        tool_ = {};
        throw std::runtime_error(
            cat("the tool is gone (", problem, "); it was last seen running in ", toolCheckedIn_));
    }
    return startTool({});
}

const ToolWindows& Session::startTool(const std::vector<EnvironmentVariable>& environment,
                                      const std::function<void(DWORD thread)>& beforeRun) {
    toolProcess_ = ChildProcess(paths_.tool, {}, environment, beforeRun);
    toolCheckedIn_ = caseName_;
    DWORD id = toolProcess_.id();
    HWND main = waitForTopLevel(
        id, [](HWND w) { return className(w) != L"tooltips_class32" && !childrenOf(w).empty(); },
        kStartTimeoutMs);
    if (!main) throw std::runtime_error("the tool showed no main window");
    // The controls may still be coming while the window already shows.
    waitUntil([&] { return complete(tool_ = identifyControls(main)); }, 5000);
    if (!complete(tool_)) throw std::runtime_error("the tool's main window lacks controls");
    return tool_;
}

DWORD Session::toolProcessId() {
    tool();
    return toolProcess_.id();
}

std::string Session::stopTool() {
    tool_ = {};
    return toolProcess_.stop();
}

const ToolWindows& Session::restartTool(const std::vector<EnvironmentVariable>& environment,
                                        const std::function<void(DWORD thread)>& beforeRun) {
    const std::string problem = stopTool();
    if (!problem.empty()) throw std::runtime_error(cat("the tool did not end cleanly: ", problem));
    return startTool(environment, beforeRun);
}

const FixtureWindows& Session::fixture(bool hostile) {
    if (fixtureProcess_.running() && fixtureHostile_ == hostile && IsWindow(fixture_.main)) {
        return fixture_;
    }
    (void)fixtureProcess_.stop();
    std::vector<std::wstring> args = {L"--x",        std::to_wstring(kFixtureOrigin.x),
                                      L"--y",        std::to_wstring(kFixtureOrigin.y),
                                      L"--dialog-x", std::to_wstring(kFixtureDialogOrigin.x),
                                      L"--dialog-y", std::to_wstring(kFixtureDialogOrigin.y)};
    if (hostile) args.push_back(L"--hostile");
    fixtureProcess_ = ChildProcess(paths_.fixture, args);
    fixtureHostile_ = hostile;
    DWORD id = fixtureProcess_.id();
    fixture_ = {};
    fixture_.main = waitForTopLevel(
        id, [](HWND w) { return className(w) == fixture::kMainClass; }, kStartTimeoutMs);
    fixture_.dialog = waitForTopLevel(
        id, [](HWND w) { return className(w) == fixture::kDialogClass; }, kStartTimeoutMs);
    if (!fixture_.main || !fixture_.dialog) throw std::runtime_error("the fixture did not show");
    return fixture_;
}

void Session::settleTool() {
    if (!toolProcess_.running()) return;
    WaitForInputIdle(toolProcess_.handle(), 2000);
    // A sent message is handled only when the tool reads its queue again.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(tool_.main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    WaitForInputIdle(toolProcess_.handle(), 2000);
}

std::vector<std::string> Session::endOfCaseProblems() {
    std::vector<std::string> problems;
    for (int key : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
        if (GetAsyncKeyState(key) & 0x8000)
            problems.push_back(cat("mouse button ", key, " is held"));
    }
    if (!toolProcess_.started()) return problems;
    if (!toolProcess_.running()) {
        problems.push_back(
            cat("the tool ended during the case, with exit code ", toolProcess_.exitCode()));
        return problems;
    }
    toolCheckedIn_ = caseName_;
    settleTool();
    for (const auto& box : messageBoxesOf(toolProcess_.id())) {
        problems.push_back(cat("the tool shows a message box: ", quote(box.text)));
    }
    if (HWND capture = captureOf(tool_.main)) {
        problems.push_back(cat("the tool holds the pointer capture (", className(capture), ")"));
    }
    for (HWND window : topLevelWindows(toolProcess_.id())) {
        if (className(window) == QUELLON_OUTLINE_CLASS) {
            problems.push_back("the outline is on the screen");
            break;
        }
    }
    return problems;
}

void Session::recover() {
    for (auto button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        if (GetAsyncKeyState(button == MouseButton::Left    ? VK_LBUTTON
                             : button == MouseButton::Right ? VK_RBUTTON
                                                            : VK_MBUTTON) &
            0x8000) {
            buttonUp(button);
        }
    }
    if (toolProcess_.running()) {
        for (const auto& box : messageBoxesOf(toolProcess_.id())) pressOk(box.window);
    }
    // The failure is reported; the next case starts from a tool of its own.
    (void)stopTool();
}

std::string Session::stopAll() {
    (void)fixtureProcess_.stop();
    fixture_ = {};
    return stopTool();
}

}  // namespace e2e
