// The process lookup: a snapshot walk on the Windows 95 family, the first module's path on the
// NT family. Each procedure reports its own failures and closes what it opened.
#include "modules/mdlProcessesGeneral.h"

#include <algorithm>
#include <string_view>

#include "platform/Procedure.h"

namespace quellon::mdlProcessesGeneral {

namespace {

// The owner that the reports of the module's procedures name.
constexpr std::wstring_view kModuleProcesses = L"Modul mdlProcessesGeneral";

// Large enough for any path the system can name: 32,767 characters and the terminator.
constexpr std::uint32_t kLongPathChars = 32768;

// A snapshot or process handle that is closed when the procedure leaves, so that a run-time
// error between opening and the closing step does not leak it. The closing step itself calls
// CloseHandle whatever the handle holds, 0 included.
class KernelHandle {
public:
    KernelHandle(Processes& processes, Handle handle) : processes_(processes), handle_(handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() {
        if (pending_ && isOpen()) skipOnError([&] { processes_.closeHandle(handle_); });
    }

    Handle get() const { return handle_; }
    bool isOpen() const { return handle_ != 0 && handle_ != kInvalidHandle; }
    void close() {
        pending_ = false;  // a missing CloseHandle must not be tried a second time
        processes_.closeHandle(handle_);
    }

private:
    Processes& processes_;
    Handle handle_;
    bool pending_ = true;
};

// The path in the first `count` characters of a name buffer, without surrounding blanks. Some
// systems count the terminator of a path cut to the buffer among the characters they copied;
// a NUL would end the details text early, so the path ends before it.
std::wstring pathText(std::wstring_view buffer, std::size_t count) {
    std::wstring_view text = buffer.substr(0, std::min(count, buffer.size()));
    text = text.substr(0, text.find(L'\0'));
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return std::wstring(text.substr(first, text.find_last_not_of(L' ') - first + 1));
}

// Elevated and protected processes refuse the rights the module list needs but still name
// their image to the limited query right; systems before Vista lack that right and the
// function, and then simply give no name.
std::wstring imageNameWithLimitedRight(Processes& processes, std::uint32_t processId) {
    std::wstring name;
    skipOnError([&] {
        KernelHandle process(processes, processes.openProcess(win::kProcessQueryLimitedInformation,
                                                              false, processId));
        if (!process.isOpen()) return;
        std::wstring buffer(kLongPathChars, L'\0');
        std::uint32_t size = kLongPathChars;
        if (processes.queryFullProcessImageName(process.get(), 0, buffer.data(), &size)) {
            name = pathText(buffer, size);
        }
    });
    return name;
}

}  // namespace

std::wstring GetProcInfo(Processes& processes, Reports& reports, std::uint32_t processId) {
    std::wstring result;
    runNumbered(reports, {L"GetProcInfo", kModuleProcesses}, [&](int& line) {
        line = 20;
        if (IsWin95(processes)) {
            line = 30;
            result = GetProcessName95(processes, reports, processId);
        } else {
            line = 50;
            result = GetProcessNameNT(processes, reports, processId);
        }
    });
    return result;
}

bool IsWin95(Processes& processes) { return (processes.getVersion() & 0x80000000u) != 0; }

std::wstring GetProcessName95(Processes& processes, Reports& reports, std::uint32_t processId) {
    std::wstring result;
    runNumbered(reports, {L"GetProcessName95", kModuleProcesses}, [&](int& line) {
        std::wstring name;
        ProcessRecord record;
        record.dwSize = kProcessRecordBytes;
        line = 40;
        KernelHandle snapshot(processes,
                              processes.createToolhelp32Snapshot(win::kTh32csSnapProcess, 0));
        line = 60;
        // Unchecked: without a first process the zero-filled record is still compared once.
        processes.process32First(snapshot.get(), record);
        for (;;) {
            if (record.th32ProcessID == processId) {
                const std::string_view exeFile(record.szExeFile, kMaxPath);
                line = 100;
                const auto nul = exeFile.find('\0');
                if (nul == std::string_view::npos) raise(ErrorNumber::InvalidCall);
                name = processes.fromActiveCodePage(exeFile.substr(0, nul));
                // Searched in the converted text: in double-byte code pages the byte of a
                // backslash also occurs as the second half of other characters.
                name.erase(0, name.rfind(L'\\') + 1);
                break;
            }
            line = 160;
            if (!processes.process32Next(snapshot.get(), record)) break;
        }
        line = 170;
        snapshot.close();
        line = 180;
        result = name;
    });
    return result;
}

std::wstring GetProcessNameNT(Processes& processes, Reports& reports, std::uint32_t processId) {
    std::wstring result;
    runNumbered(reports, {L"GetProcessNameNT", kModuleProcesses}, [&](int& line) {
        line = 20;
        KernelHandle process(
            processes, processes.openProcess(win::kProcessQueryInformation | win::kProcessVmRead,
                                             false, processId));
        ModuleHandle module = 0;
        bool listed = false;
        if (process.get() != 0) {
            line = 40;
            std::uint32_t needed = 0;
            listed = processes.enumProcessModules(process.get(), &module, sizeof module, &needed);
        }
        if (!listed) {
            line = 130;
            process.close();
            result = imageNameWithLimitedRight(processes, processId);
            return;
        }
        line = 60;
        result.assign(kMaxPath, L' ');
        line = 70;
        std::uint32_t n = processes.getModuleFileNameEx(process.get(), module, result.data(),
                                                        static_cast<std::uint32_t>(kMaxPath));
        // A path that fills the buffer may have been cut to it: long-path-aware systems allow
        // longer ones, so it is read again into a buffer that holds the longest there can be.
        if (n >= kMaxPath - 1) {
            result.assign(kLongPathChars, L' ');
            n = processes.getModuleFileNameEx(process.get(), module, result.data(), kLongPathChars);
        }
        line = 80;
        result = pathText(result, n);
        line = 90;
        process.close();
    });
    return result;
}

}  // namespace quellon::mdlProcessesGeneral
