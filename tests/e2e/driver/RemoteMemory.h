// A block of memory inside another process, for messages whose arguments point to memory that
// the system does not marshal across processes (tree-view and tooltip structures).
#pragma once

#include <windows.h>

#include <cstddef>

#include "OwnedHandles.h"

namespace e2e {

class RemoteBuffer {
public:
    RemoteBuffer(DWORD processId, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The block's address as the other process sees it.
    char* address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    size_t size() const { return size_; }

    void write(size_t offset, const void* data, size_t size);
    void read(size_t offset, void* data, size_t size) const;

    template <class T>
    void put(size_t offset, const T& value) {
        write(offset, &value, sizeof value);  // NOLINT(bugprone-sizeof-expression): handles too
    }
    template <class T>
    T get(size_t offset) const {
        T value{};
        read(offset, &value, sizeof value);
        return value;
    }

private:
    UniqueHandle process_;
    void* address_ = nullptr;  // released with VirtualFreeEx at the end
    size_t size_ = 0;
};

// The process that owns a window.
DWORD processOf(HWND window);

// SendMessage that cannot hang the driver on a stuck program; throws when it times out.
LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 5000);

}  // namespace e2e
