#include "Processes.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "Text.h"
#include "Wait.h"
#include "WindowQueries.h"

namespace e2e {

namespace {

std::wstring quoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    return L"\"" + arg + L"\"";
}

// Every started program joins this job; should the driver die, closing the job ends them too.
HANDLE killOnCloseJob() {
    static HANDLE job = [] {
        HANDLE h = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (h)
            SetInformationJobObject(h, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return h;
    }();
    return job;
}

std::string hexCode(DWORD code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// Sets variables in the driver's own environment, which a program started meanwhile inherits, and
// puts the earlier values back.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::vector<EnvironmentVariable>& variables) {
        for (const auto& variable : variables) {
            const wchar_t* name = variable.name.c_str();
            const bool wasSet = GetEnvironmentVariableW(name, nullptr, 0) > 0;
            earlier_.push_back({variable.name, environmentVariable(name), wasSet});
            SetEnvironmentVariableW(name, variable.value.c_str());
        }
    }
    ~ScopedEnvironment() {
        for (const auto& variable : earlier_) {
            SetEnvironmentVariableW(variable.name.c_str(),
                                    variable.wasSet ? variable.value.c_str() : nullptr);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    struct Earlier {
        std::wstring name;
        std::wstring value;
        bool wasSet;
    };
    std::vector<Earlier> earlier_;
};

std::wstring commandLineOf(const std::wstring& exe, const std::vector<std::wstring>& args) {
    std::wstring commandLine = quoteArgument(exe);
    for (const auto& arg : args) commandLine += L" " + quoteArgument(arg);
    return commandLine;
}

// A pipe whose writing end a child inherits, with room for all that a run of the tool writes:
// it is read once the run has ended.
struct OutputPipe {
    UniqueHandle read;
    UniqueHandle write;
    OutputPipe() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE reading = nullptr;
        HANDLE writing = nullptr;
        if (!CreatePipe(&reading, &writing, &inherit, 1 << 20)) return;
        read.reset(reading);
        write.reset(writing);
        SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    }
    // What the pipe holds once the child has ended. A program that it started and that holds
    // the pipe too (by a fault) stops the reading after a while rather than for good.
    std::string readAll() {
        write.reset();  // so that reading ends at the last byte
        std::string all;
        char chunk[4096];
        const ULONGLONG deadline = GetTickCount64() + kHeldOpenMs;
        for (DWORD waiting = 0;
             PeekNamedPipe(read.get(), nullptr, 0, nullptr, &waiting, nullptr);) {
            if (waiting == 0) {
                if (GetTickCount64() > deadline) break;
                Sleep(5);
                continue;
            }
            DWORD got = 0;
            if (!ReadFile(read.get(), chunk, sizeof chunk, &got, nullptr)) break;
            all.append(chunk, got);
        }
        return all;
    }
    static constexpr DWORD kHeldOpenMs = 3000;
};

}  // namespace

FinishedRun runToEnd(const std::wstring& exe, const std::vector<std::wstring>& args,
                     DWORD timeoutMs) {
    OutputPipe out;
    OutputPipe err;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.write.get();
    startup.hStdError = err.write.get();
    PROCESS_INFORMATION info{};
    std::wstring commandLine = commandLineOf(exe, args);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &info)) {
        throw std::runtime_error(cat("cannot start ", exe, " (error ", GetLastError(), ")"));
    }
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    if (HANDLE job = killOnCloseJob()) AssignProcessToJobObject(job, process.get());
    FinishedRun run;
    run.ended = WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
    if (!run.ended) TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
    GetExitCodeProcess(process.get(), &run.exitCode);
    run.out = out.readAll();
    run.err = err.readAll();
    return run;
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::vector<std::wstring>& args,
                           const std::vector<EnvironmentVariable>& environment,
                           const std::function<void(DWORD thread)>& beforeRun) {
    const ScopedEnvironment started(environment);
    std::wstring commandLine = commandLineOf(exe, args);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const DWORD flags = beforeRun ? CREATE_SUSPENDED : 0;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        nullptr, &startup, &info)) {
        throw std::runtime_error(cat("cannot start ", exe, " (error ", GetLastError(), ")"));
    }
    const UniqueHandle thread(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
    if (HANDLE job = killOnCloseJob()) AssignProcessToJobObject(job, process_.get());
    if (!beforeRun) return;
    beforeRun(info.dwThreadId);
    ResumeThread(thread.get());
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::move(other.process_)), id_(std::exchange(other.id_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        stop();
        process_ = std::move(other.process_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

bool ChildProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::string ChildProcess::stop(DWORD graceMs) {
    if (!process_) return {};
    std::string problem;
    if (running()) {
        for (HWND w : topLevelWindows(id_)) PostMessageW(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), graceMs) != WAIT_OBJECT_0) {
            problem = cat("it did not end within ", graceMs, " ms of being closed");
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        } else if (DWORD code = exitCode(); code != 0) {
            problem = cat("it ended on the close with exit code ", hexCode(code));
        }
    } else if (DWORD code = exitCode(); code != 0) {
        problem = cat("it had already ended, with exit code ", hexCode(code));
    }
    process_.reset();
    id_ = 0;
    return problem;
}

std::vector<HWND> topLevelWindows(DWORD processId) {
    std::vector<HWND> found;
    for (HWND w : allTopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) found.push_back(w);
    }
    return found;
}

HWND waitForTopLevel(DWORD processId, const std::function<bool(HWND)>& predicate, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND w : topLevelWindows(processId)) {
                if (predicate(w)) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::wstring driverFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

}  // namespace e2e
