#include "tests/support/SimDesktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/RuntimeError.h"

namespace quellon::test {

namespace {

int copyText(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (capacity <= 0) return 0;
    const int count = std::min(static_cast<int>(text.size()), capacity - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
    return count;
}

}  // namespace

SimDesktop::SimDesktop() {
    WindowSpec desktop;
    desktop.className = L"#32769";
    desktop.handle = kDesktop;
    windows_[kDesktop].spec = desktop;
}

Hwnd SimDesktop::create(WindowSpec spec) {
    if (spec.handle == 0) {
        while (windows_.count(nextHandle_)) nextHandle_ += 2;
        spec.handle = nextHandle_;
        nextHandle_ += 2;
    }
    if (windows_.count(spec.handle)) throw std::logic_error("window handle in use");
    const Hwnd handle = spec.handle;
    const Hwnd container = spec.parent ? spec.parent : kDesktop;
    windows_.at(container).children.push_back(handle);
    windows_[handle].spec = std::move(spec);
    return handle;
}

std::vector<Hwnd>& SimDesktop::siblingsOf(Hwnd window) {
    const Hwnd parent = windows_.at(window).spec.parent;
    return windows_.at(parent ? parent : kDesktop).children;
}

void SimDesktop::unlink(Hwnd window) {
    auto& siblings = siblingsOf(window);
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
}

void SimDesktop::destroy(Hwnd window) {
    const std::vector<Hwnd> children = windows_.at(window).children;
    for (Hwnd child : children) destroy(child);
    unlink(window);
    windows_.erase(window);
}

void SimDesktop::reparent(Hwnd window, Hwnd newParent) {
    unlink(window);
    windows_.at(window).spec.parent = newParent;
    windows_.at(newParent ? newParent : kDesktop).children.push_back(window);
}

void SimDesktop::moveToBottom(Hwnd window) {
    unlink(window);
    siblingsOf(window).push_back(window);
}

SimWindow* SimDesktop::find(Hwnd window) {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

void SimDesktop::enter(const std::string& function, const char* library, Hwnd window) {
    ++calls[function];
    if (missing.count(function)) throw entryPointNotFound(function, library);
    if (beforeCall) beforeCall(function, window);
}

// --- user32 ---

bool SimDesktop::getCursorPos(Point& point) {
    enter("GetCursorPos", "user32");
    point = cursorReadable ? cursor : Point{};
    return cursorReadable;
}

Hwnd SimDesktop::windowFromPoint(Point point) {
    enter("WindowFromPoint", "user32");
    askedAt = point;
    return pointed;
}

Hwnd SimDesktop::getWindow(Hwnd window, Relation relation) {
    enter("GetWindow", "user32", window);
    SimWindow* w = find(window);
    if (!w) return 0;
    if (relation == Relation::Child) return w->children.empty() ? 0 : w->children.front();
    const auto& siblings = siblingsOf(window);
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    return at + 1 == siblings.end() ? 0 : *(at + 1);
}

Hwnd SimDesktop::getParent(Hwnd window) {
    enter("GetParent", "user32", window);
    SimWindow* w = find(window);
    if (!w || window == kDesktop) return 0;
    return w->spec.parent && !w->spec.popup ? w->spec.parent : w->spec.owner;
}

Hwnd SimDesktop::getAncestor(Hwnd window, unsigned flags) {
    enter("GetAncestor", "user32", window);
    SimWindow* w = find(window);
    if (!w || window == kDesktop || flags != win::kGaParent) return 0;
    return w->spec.parent ? w->spec.parent : kDesktop;
}

Hwnd SimDesktop::getDesktopWindow() {
    enter("GetDesktopWindow", "user32");
    return kDesktop;
}

bool SimDesktop::isWindowVisible(Hwnd window) {
    enter("IsWindowVisible", "user32", window);
    for (SimWindow* w = find(window); w; w = w->spec.parent ? find(w->spec.parent) : nullptr) {
        if (!w->spec.visible) return false;
    }
    return find(window) != nullptr;
}

int SimDesktop::getWindowText(Hwnd window, wchar_t* buffer, int capacity) {
    enter("GetWindowTextW", "user32", window);
    SimWindow* w = find(window);
    return w ? copyText(w->spec.text, buffer, capacity) : 0;
}

int SimDesktop::getClassName(Hwnd window, wchar_t* buffer, int capacity) {
    enter("GetClassNameW", "user32", window);
    SimWindow* w = find(window);
    return w ? copyText(w->spec.className, buffer, capacity) : 0;
}

std::uint32_t SimDesktop::getWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    enter("GetWindowThreadProcessId", "user32", window);
    SimWindow* w = find(window);
    if (!w) return 0;
    if (processId) *processId = w->spec.processId;
    return w->spec.threadId;
}

void SimDesktop::messageBox(const std::wstring& text) {
    enter("MessageBoxW", "user32");
    messages.push_back(text);
}

// --- kernel32 ---

std::uint32_t SimDesktop::getVersion() {
    enter("GetVersion", "kernel32");
    return version;
}

Handle SimDesktop::createToolhelp32Snapshot(std::uint32_t, std::uint32_t) {
    enter("CreateToolhelp32Snapshot", "kernel32");
    if (snapshotFails) return kInvalidHandle;
    const Handle handle = nextKernelHandle_;
    nextKernelHandle_ += 4;
    kernelHandles_[handle] = {KernelHandle::Kind::Snapshot};
    return handle;
}

// The next process of the snapshot into the record; nothing for a handle that is not a snapshot
// or a record of another size.
bool SimDesktop::fillRecord(Handle snapshot, ProcessRecord& record, bool first) {
    const auto found = kernelHandles_.find(snapshot);
    if (found == kernelHandles_.end() || found->second.kind != KernelHandle::Kind::Snapshot ||
        record.dwSize != kProcessRecordBytes) {
        return false;
    }
    std::size_t& next = found->second.nextProcess;
    if (first) next = 0;
    if (next >= processes.size()) return false;
    const SimProcess& p = processes[next++];
    record.th32ProcessID = p.id;
    std::memset(record.szExeFile, 'x', sizeof record.szExeFile);
    const std::size_t length = std::min(p.snapshotName.size(), sizeof record.szExeFile);
    std::memcpy(record.szExeFile, p.snapshotName.data(), length);
    if (p.snapshotNameTerminated && length < sizeof record.szExeFile) {
        record.szExeFile[length] = '\0';
    }
    return true;
}

bool SimDesktop::process32First(Handle snapshot, ProcessRecord& record) {
    enter("Process32First", "kernel32");
    return fillRecord(snapshot, record, true);
}

bool SimDesktop::process32Next(Handle snapshot, ProcessRecord& record) {
    enter("Process32Next", "kernel32");
    return fillRecord(snapshot, record, false);
}

const SimProcess* SimDesktop::process(std::uint32_t id) const {
    for (const SimProcess& p : processes) {
        if (p.id == id) return &p;
    }
    return nullptr;
}

Handle SimDesktop::openProcess(std::uint32_t access, bool, std::uint32_t processId) {
    enter("OpenProcess", "kernel32");
    const SimProcess* p = process(processId);
    if (!p) return 0;
    const bool limited = access == win::kProcessQueryLimitedInformation;
    if (limited ? !p->openableLimited : !p->openable) return 0;
    const Handle handle = nextKernelHandle_;
    nextKernelHandle_ += 4;
    kernelHandles_[handle] = {KernelHandle::Kind::Process, processId, access};
    return handle;
}

bool SimDesktop::closeHandle(Handle handle) {
    enter("CloseHandle", "kernel32");
    closedHandles.push_back(handle);
    return kernelHandles_.erase(handle) != 0;
}

bool SimDesktop::queryFullProcessImageName(Handle process, std::uint32_t, wchar_t* buffer,
                                           std::uint32_t* size) {
    enter("QueryFullProcessImageNameW", "kernel32");
    const auto found = kernelHandles_.find(process);
    if (found == kernelHandles_.end() || found->second.kind != KernelHandle::Kind::Process) {
        return false;
    }
    const SimProcess* p = this->process(found->second.processId);
    if (!p || p->modulePath.size() + 1 > *size) return false;
    *size = static_cast<std::uint32_t>(copyText(p->modulePath, buffer, static_cast<int>(*size)));
    return true;
}

// --- psapi ---

bool SimDesktop::enumProcessModules(Handle process, ModuleHandle* modules, std::uint32_t bytes,
                                    std::uint32_t* bytesNeeded) {
    enter("EnumProcessModules", "PSAPI.DLL");
    const auto found = kernelHandles_.find(process);
    if (found == kernelHandles_.end() || found->second.kind != KernelHandle::Kind::Process ||
        found->second.access != (win::kProcessQueryInformation | win::kProcessVmRead)) {
        return false;
    }
    const SimProcess* p = this->process(found->second.processId);
    if (!p || !p->modulesReadable) return false;
    if (bytes >= sizeof(ModuleHandle)) modules[0] = 0x400000;
    if (bytesNeeded) *bytesNeeded = 3 * sizeof(ModuleHandle);
    return true;
}

std::uint32_t SimDesktop::getModuleFileNameEx(Handle process, ModuleHandle module, wchar_t* buffer,
                                              std::uint32_t capacity) {
    enter("GetModuleFileNameExW", "PSAPI.DLL");
    const auto found = kernelHandles_.find(process);
    if (found == kernelHandles_.end() || module != 0x400000) return 0;
    const SimProcess* p = this->process(found->second.processId);
    if (!p) return 0;
    const int copied = copyText(p->modulePath, buffer, static_cast<int>(capacity));
    // As Wine and some Windows versions do, a cut path counts its terminator.
    return p->modulePath.size() >= capacity ? capacity : static_cast<std::uint32_t>(copied);
}

std::wstring SimDesktop::fromActiveCodePage(std::string_view narrow) {
    // Western code page: every byte is the character of the same number.
    std::wstring text;
    for (unsigned char c : narrow) text.push_back(static_cast<wchar_t>(c));
    return text;
}

}  // namespace quellon::test
