// The programs under test for a run of the driver: the tool and the fixture, started on first
// use, kept for the following test cases, restarted when a case needs them fresh or broke them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Processes.h"

namespace e2e {

struct Paths {
    std::wstring tool;
    std::wstring fixture;
};

// The tool's main window and its controls.
struct ToolWindows {
    HWND main = nullptr;
    HWND trv = nullptr;
    HWND txtInf = nullptr;
    HWND r1 = nullptr;
    HWND labelT = nullptr;
    HWND command1[3] = {};
    HWND chkTop = nullptr;
};

struct FixtureWindows {
    HWND main = nullptr;
    HWND dialog = nullptr;
    // A window of the fixture by its control id (searched below the main window and the dialog).
    HWND byId(int id) const;
};

// Where the fixture's windows stand: left of the centred tool, and its dialog right of it.
inline constexpr POINT kFixtureOrigin = {4, 40};
inline constexpr POINT kFixtureDialogOrigin = {920, 80};

class Session {
public:
    explicit Session(Paths paths) : paths_(std::move(paths)) {}
    ~Session() { stopAll(); }

    const Paths& paths() const { return paths_; }

    // The running tool, started when none was started yet. A tool that has ended since it was
    // started ends the case with a failure that names the case after which it ended.
    const ToolWindows& tool();
    DWORD toolProcessId();
    // Ends the tool and starts it again: for cases that need the state of the first show, or
    // a tool with these variables in its environment (for this start only). A tool that does
    // not end cleanly on the close fails the case.
    // `beforeRun`, where given, gets the tool's first thread before it runs.
    const ToolWindows& restartTool(const std::vector<EnvironmentVariable>& environment = {},
                                   const std::function<void(DWORD thread)>& beforeRun = {});
    // Ends the tool; the next use starts it afresh. What went wrong when it did not end cleanly.
    std::string stopTool();

    // The running fixture; `hostile` selects the mode with the restless area (a running fixture
    // of the other mode is replaced).
    const FixtureWindows& fixture(bool hostile = false);

    // Waits until the tool has handled the input given so far.
    void settleTool();

    // The case that runs now, for the messages that name it.
    void beginCase(std::string name) { caseName_ = std::move(name); }
    const std::string& caseName() const { return caseName_; }

    // What is wrong after a case: the tool ended, shows a message box, holds the pointer
    // capture or leaves its outline on the screen, or a button is still held.
    std::vector<std::string> endOfCaseProblems();

    // Puts things back after a failed case, so that the next one starts from a known state:
    // buttons up, message boxes confirmed, the tool started afresh.
    void recover();
    // Ends both programs; what went wrong when the tool did not end cleanly.
    std::string stopAll();

private:
    const ToolWindows& startTool(const std::vector<EnvironmentVariable>& environment,
                                 const std::function<void(DWORD thread)>& beforeRun = {});

    Paths paths_;
    ChildProcess toolProcess_;
    ToolWindows tool_;
    ChildProcess fixtureProcess_;
    FixtureWindows fixture_;
    bool fixtureHostile_ = false;
    std::string caseName_;
    // The case during which the tool was started or last seen running.
    std::string toolCheckedIn_;
};

}  // namespace e2e
