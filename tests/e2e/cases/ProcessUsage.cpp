// What a process holds, read from outside; each count checked to move when a program leaks the
// object on purpose, under Wine as well.
#include "ProcessUsage.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/OwnedHandles.h"
#include "../driver/Processes.h"
#include "DetailsExpectations.h"

namespace e2e {
namespace {

// ntdll's queries, bound by name: the driver links no import library of ntdll.
template <class Function>
Function* ntdll(const char* name) {
    FARPROC address = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name);
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
}

template <class T>
T readAt(HANDLE process, std::uint64_t address) {
    T value{};
    ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)),
                      &value, sizeof value, nullptr);
    return value;
}

// One entry of SystemExtendedHandleInformation.
struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

constexpr SYSTEM_INFORMATION_CLASS kSystemExtendedHandleInformation =
    static_cast<SYSTEM_INFORMATION_CLASS>(64);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// Under Wine the wine server's list of every open handle, which names each one's process.
size_t kernelHandles(HANDLE process, DWORD processId) {
    if (!underWine()) {
        DWORD count = 0;
        return GetProcessHandleCount(process, &count) ? count : 0;
    }
    auto query = ntdll<decltype(NtQuerySystemInformation)>("NtQuerySystemInformation");
    std::vector<ULONG_PTR> buffer(std::size_t{64} * 1024);
    NTSTATUS status = kInfoLengthMismatch;
    for (int tries = 0; status == kInfoLengthMismatch && tries < 8; ++tries) {
        buffer.resize(buffer.size() * 2);
        auto bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
        status = query(kSystemExtendedHandleInformation, buffer.data(), bytes, nullptr);
    }
    if (status != 0) return 0;
    const auto& list = *reinterpret_cast<const HandleList*>(buffer.data());
    size_t count = 0;
    for (ULONG_PTR i = 0; i < list.count; ++i) count += list.entries[i].processId == processId;
    return count;
}

// Wine's GDI handle table of a process (ntgdi.h): 65,536 entries of 24 bytes, a used one with a
// type.
struct GdiEntry {
    std::uint64_t object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiEntry) == 24);
constexpr size_t kGdiEntries = 0x10000;

struct ThreadBasics {
    NTSTATUS exitStatus;
    void* teb;
    CLIENT_ID clientId;
    ULONG_PTR affinityMask;
    LONG priority;
    LONG basePriority;
};

// The address of Wine's GDI table of the thread's process, which its 64-bit PEB holds (offset
// 0xF8, as on Windows). A 32-bit process under Wine has a 64-bit TEB besides its own, whose
// address is in the 32-bit TEB's GdiBatchCount (offset 0xF70).
std::uint64_t wineGdiTable(HANDLE process, DWORD threadId) {
    const UniqueHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId));
    if (!thread) return 0;
    auto query = ntdll<decltype(NtQueryInformationThread)>("NtQueryInformationThread");
    ThreadBasics basics{};
    NTSTATUS status =
        query(thread.get(), static_cast<THREADINFOCLASS>(0), &basics, sizeof basics, nullptr);
    if (status != 0) return 0;
    auto teb = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(basics.teb));
    if constexpr (sizeof(void*) == 4) teb = readAt<ULONG>(process, teb + 0xF70);
    auto peb = readAt<std::uint64_t>(process, teb + 0x60);
    return peb ? readAt<std::uint64_t>(process, peb + 0xF8) : 0;
}

size_t gdiObjects(HANDLE process, DWORD threadId) {
    if (!underWine()) return GetGuiResources(process, GR_GDIOBJECTS);
    std::uint64_t table = wineGdiTable(process, threadId);
    if (!table) return 0;
    std::vector<GdiEntry> entries(kGdiEntries);
    SIZE_T read = 0;
    ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table)),
                      entries.data(), entries.size() * sizeof(GdiEntry), &read);
    size_t count = 0;
    for (size_t i = 0; i < read / sizeof(GdiEntry); ++i) count += entries[i].type != 0;
    return count;
}

struct WindowCount {
    DWORD processId;
    size_t count;
};

BOOL CALLBACK countIfOwned(HWND window, LPARAM param) {
    auto& windows = *reinterpret_cast<WindowCount*>(param);
    windows.count += processOf(window) == windows.processId;
    return TRUE;
}

// Child windows of a process can sit under another process's windows: every window is looked at.
BOOL CALLBACK countWithDescendants(HWND window, LPARAM param) {
    countIfOwned(window, param);
    EnumChildWindows(window, countIfOwned, param);
    return TRUE;
}

size_t windowsOf(DWORD processId) {
    WindowCount windows{processId, 0};
    EnumWindows(countWithDescendants, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

}  // namespace

ProcessUsage usageOf(HWND window) {
    ProcessUsage usage;
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(window, &processId);
    const UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return usage;
    usage.windows = windowsOf(processId);
    usage.handles = kernelHandles(process.get(), processId);
    // Reading Wine's whole GDI table brings its untouched pages into the process, some 1.5 MiB
    // that Wine counts as its memory from then on: the memory is read after the table, so that the
    // first reading counts them already.
    usage.gdiObjects = gdiObjects(process.get(), threadId);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) {
        usage.privateBytes = memory.PagefileUsage;
        usage.workingSet = memory.WorkingSetSize;
    }
    return usage;
}

}  // namespace e2e
