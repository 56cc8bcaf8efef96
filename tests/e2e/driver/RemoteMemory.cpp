#include "RemoteMemory.h"

#include <stdexcept>

#include "Text.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(DWORD processId, size_t size)
    : process_(OpenProcess(
          PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
          FALSE, processId)),
      size_(size) {
    if (!process_) throw std::runtime_error(cat("OpenProcess failed for ", processId));
    address_ =
        VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) throw std::runtime_error(cat("VirtualAllocEx failed in process ", processId));
}

RemoteBuffer::~RemoteBuffer() { VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }

void RemoteBuffer::write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    if (offset + size > size_ ||
        !WriteProcessMemory(process_.get(), address(offset), data, size, &done) || done != size) {
        throw std::runtime_error("WriteProcessMemory failed");
    }
}

void RemoteBuffer::read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    if (offset + size > size_ ||
        !ReadProcessMemory(process_.get(), address(offset), data, size, &done) || done != size) {
        throw std::runtime_error("ReadProcessMemory failed");
    }
}

DWORD processOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                             &result)) {
        throw std::runtime_error(cat("message ", message, " to window ", window, " got no answer"));
    }
    return static_cast<LRESULT>(result);
}

}  // namespace e2e
