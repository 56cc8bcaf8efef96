// Starting and ending the programs under test, and finding their top-level windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "OwnedHandles.h"

namespace e2e {

// A variable set in a started program's environment, besides those the driver has.
struct EnvironmentVariable {
    std::wstring name;
    std::wstring value;
};

// A started program. Ending the object ends the program: first politely (WM_CLOSE to its
// windows), then by force, so no test leaves a process behind.
class ChildProcess {
public:
    ChildProcess() = default;
    // `beforeRun`, where given, is called with the id of the program's first thread before the
    // thread runs.
    ChildProcess(const std::wstring& exe, const std::vector<std::wstring>& args,
                 const std::vector<EnvironmentVariable>& environment = {},
                 const std::function<void(DWORD thread)>& beforeRun = {});
    ~ChildProcess() { stop(); }
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool running() const;
    // Whether a program was started and has not been stopped, running or not.
    bool started() const { return static_cast<bool>(process_); }
    // Exit code once the process has ended; STILL_ACTIVE while it runs.
    DWORD exitCode() const;
    // Ends the program; what went wrong when it did not end on the close with exit code 0, empty
    // when nothing did (or it was not running).
    std::string stop(DWORD graceMs = 3000);

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// A program run to its end with its standard output and standard error read through pipes.
struct FinishedRun {
    bool ended = false;  // within the time given; otherwise it was ended by force
    DWORD exitCode = STILL_ACTIVE;
    std::string out;  // the bytes as written
    std::string err;
};
FinishedRun runToEnd(const std::wstring& exe, const std::vector<std::wstring>& args,
                     DWORD timeoutMs);

// The process's visible top-level windows, top of the z-order first.
std::vector<HWND> topLevelWindows(DWORD processId);

// Waits until one of the process's visible top-level windows satisfies the predicate.
HWND waitForTopLevel(DWORD processId, const std::function<bool(HWND)>& predicate, DWORD timeoutMs);

// The folder of the running driver, with a trailing backslash.
std::wstring driverFolder();

}  // namespace e2e
