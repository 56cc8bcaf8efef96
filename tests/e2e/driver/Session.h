// The programs under test for a run of the driver: the tool and the fixture, started on first
// use, kept for the following test cases, restarted when a case needs them fresh or broke them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

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

    // The running tool, started when it is not running.
    const ToolWindows& tool();
    DWORD toolProcessId();
    // Ends the tool and starts it again: for cases that need the state of the first show.
    const ToolWindows& restartTool();

    // The running fixture; `hostile` selects the mode with the restless area (a running fixture
    // of the other mode is replaced).
    const FixtureWindows& fixture(bool hostile = false);

    // Waits until the tool has handled the input given so far.
    void settleTool();

    // Puts things back after a failed case: buttons up, message boxes confirmed, dead programs
    // forgotten so that the next case starts them again.
    void recover();
    void stopAll();

private:
    Paths paths_;
    ChildProcess toolProcess_;
    ToolWindows tool_;
    ChildProcess fixtureProcess_;
    FixtureWindows fixture_;
    bool fixtureHostile_ = false;
};

}  // namespace e2e
