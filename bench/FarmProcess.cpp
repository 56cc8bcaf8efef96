#include "bench/FarmProcess.h"

#include <stdexcept>
#include <utility>

namespace quellon::bench {

namespace {

constexpr DWORD kFarmExitWaitMs = 10000;

struct Pipe {
    win32::UniqueHandle read;
    win32::UniqueHandle write;
};

// A pipe whose one end the farm inherits.
Pipe makePipe(bool farmReads) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!::CreatePipe(&read, &write, &inheritable, 0))
        throw std::runtime_error("CreatePipe failed");
    Pipe pipe{win32::UniqueHandle(read), win32::UniqueHandle(write)};
    ::SetHandleInformation(farmReads ? write : read, HANDLE_FLAG_INHERIT, 0);
    return pipe;
}

}  // namespace

std::wstring inBenchFolder(const wchar_t* program) {
    wchar_t own[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring path(own, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + program;
}

FarmProcess::FarmProcess(const std::wstring& shape, int count) {
    Pipe input = makePipe(true);
    Pipe output = makePipe(false);
    toFarm_ = std::move(input.write);
    fromFarm_ = std::move(output.read);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.read.get();
    startup.hStdOutput = output.write.get();
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    const std::wstring exe = inBenchFolder(L"quellon-windowfarm.exe");
    std::wstring commandLine = L"\"" + exe + L"\" " + shape + L" " + std::to_wstring(count);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &started)) {
        throw std::runtime_error("cannot start quellon-windowfarm.exe");
    }
    process_.reset(started.hProcess);
    const win32::UniqueHandle firstThread(started.hThread);  // nothing here waits on it
    // Only the farm may hold its ends, so that its end of either pipe shows as a broken pipe.
    input.read.reset();
    output.write.reset();

    const std::string line = readLine();
    if (line.rfind("target ", 0) != 0) {
        stop();
        throw std::runtime_error("the window farm named no target");
    }
    target_ = static_cast<Hwnd>(std::stoll(line.substr(7)));
}

FarmProcess::~FarmProcess() { stop(); }

// Closing its input ends the farm; one that does not end is ended.
void FarmProcess::stop() {
    toFarm_.reset();
    if (::WaitForSingleObject(process_.get(), kFarmExitWaitMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.get(), 1);
    }
}

// Ends at a line break, or empty when the farm ends first.
std::string FarmProcess::readLine() {
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (::ReadFile(fromFarm_.get(), &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        if (c != '\r') line += c;
    }
    return line;
}

}  // namespace quellon::bench
