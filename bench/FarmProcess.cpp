#include "bench/FarmProcess.h"

#include <stdexcept>

namespace quellon::bench {

namespace {

constexpr DWORD kFarmExitWaitMs = 10000;

std::wstring farmPath() {
    wchar_t own[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring path(own, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"quellon-windowfarm.exe";
}

// A pipe whose one end the farm inherits.
void makePipe(HANDLE& read, HANDLE& write, bool farmReads) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (!::CreatePipe(&read, &write, &inheritable, 0))
        throw std::runtime_error("CreatePipe failed");
    ::SetHandleInformation(farmReads ? write : read, HANDLE_FLAG_INHERIT, 0);
}

}  // namespace

FarmProcess::FarmProcess(const std::wstring& shape, int count) {
    HANDLE farmInput = nullptr;
    HANDLE farmOutput = nullptr;
    makePipe(farmInput, toFarm_, true);
    makePipe(fromFarm_, farmOutput, false);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = farmInput;
    startup.hStdOutput = farmOutput;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    const std::wstring exe = farmPath();
    std::wstring commandLine = L"\"" + exe + L"\" " + shape + L" " + std::to_wstring(count);
    const BOOL started = ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                          0, nullptr, nullptr, &startup, &process_);
    // Only the farm may hold its ends, so that its end of either pipe shows as a broken pipe.
    ::CloseHandle(farmInput);
    ::CloseHandle(farmOutput);
    if (!started) {
        ::CloseHandle(toFarm_);
        ::CloseHandle(fromFarm_);
        throw std::runtime_error("cannot start quellon-windowfarm.exe");
    }

    const std::string line = readLine();
    if (line.rfind("target ", 0) != 0) {
        stop();
        throw std::runtime_error("the window farm named no target");
    }
    target_ = static_cast<Hwnd>(std::stoll(line.substr(7)));
}

FarmProcess::~FarmProcess() { stop(); }

void FarmProcess::stop() {
    if (!process_.hProcess) return;
    ::CloseHandle(toFarm_);
    if (::WaitForSingleObject(process_.hProcess, kFarmExitWaitMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.hProcess, 1);
    }
    ::CloseHandle(fromFarm_);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
    process_ = {};
}

// Ends at a line break, or empty when the farm ends first.
std::string FarmProcess::readLine() {
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (::ReadFile(fromFarm_, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        if (c != '\r') line += c;
    }
    return line;
}

}  // namespace quellon::bench
