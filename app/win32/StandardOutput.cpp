#include "app/win32/StandardOutput.h"

#include <algorithm>

#include "app/TextBuffer.h"
#include "platform/win32/Unique.h"

namespace quellon::win32 {

namespace {

// The length of the text's next piece of at most `most` characters: a system call takes a
// limited amount at once, and no piece may end between the two halves of a surrogate pair.
std::size_t pieceSize(std::wstring_view text, std::size_t most) {
    std::size_t size = std::min(text.size(), most);
    if (size < text.size() && isHighSurrogate(text[size - 1])) --size;
    return size;
}

std::string utf8(std::wstring_view text) {
    std::string converted;
    while (!text.empty()) {
        const std::size_t size = pieceSize(text, std::size_t{1} << 20);
        const int length = static_cast<int>(size);
        const int bytes =
            ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
        const std::size_t at = converted.size();
        converted.resize(at + static_cast<std::size_t>(bytes));
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, converted.data() + at, bytes,
                              nullptr, nullptr);
        text.remove_prefix(size);
    }
    return converted;
}

DWORD lastErrorOr(DWORD fallback) {
    const DWORD error = ::GetLastError();
    return error != 0 ? error : fallback;
}

// A pipe may take less than it was given at a time.
DWORD writeBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(handle, bytes.data(), size, &written, nullptr)) {
            return lastErrorOr(ERROR_WRITE_FAULT);
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

DWORD writeConsole(HANDLE console, std::wstring_view text) {
    while (!text.empty()) {
        const std::size_t size = pieceSize(text, 8192);
        DWORD written = 0;
        if (!::WriteConsoleW(console, text.data(), static_cast<DWORD>(size), &written, nullptr) ||
            written == 0) {
            return lastErrorOr(ERROR_WRITE_FAULT);
        }
        text.remove_prefix(written);
    }
    return 0;
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != FALSE;
}

// The console of the program that started the tool, attached at the first need; null when it
// has none. Its output buffer is opened by name, whatever the standard handles hold.
HANDLE parentConsole() {
    static const UniqueHandle console = [] {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) {
            return UniqueHandle();
        }
        return adoptFile(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
    }();
    return console.get();
}

DWORD writeNewFile(const wchar_t* path, std::string_view bytes) {
    const HANDLE opened = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_OPEN_FAILED);
    const UniqueHandle file(opened);
    if (const DWORD error = writeBytes(file.get(), bytes)) return error;
    if (!::FlushFileBuffers(file.get())) return lastErrorOr(ERROR_WRITE_FAULT);
    return 0;
}

// What stands at a full path: nothing yet, a file, a folder, or a device such as NUL, a port or
// a pipe.
enum class Existing { Nothing, File, Folder, Device };

Existing whatIsAt(const std::wstring& full) {
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return Existing::Folder;
    }
    // Opened for no access at all: only its kind is asked, and no sharing mode of another
    // program's stands in the way.
    const UniqueHandle opened = adoptFile(
        ::CreateFileW(full.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (opened) {
        return ::GetFileType(opened.get()) == FILE_TYPE_DISK ? Existing::File : Existing::Device;
    }
    return attributes == INVALID_FILE_ATTRIBUTES ? Existing::Nothing : Existing::File;
}

// A device takes the text as it comes: there is nothing to put in its place.
DWORD writeDevice(const std::wstring& full, std::string_view bytes) {
    const UniqueHandle device =
        adoptFile(::CreateFileW(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device) return lastErrorOr(ERROR_OPEN_FAILED);
    return writeBytes(device.get(), bytes);
}

// The file written beside takes the place of the one there, which keeps its security, its
// attributes and its creation time (ReplaceFileW), or becomes the new file.
DWORD putInPlace(const wchar_t* beside, const std::wstring& full, Existing existing) {
    const bool done =
        existing == Existing::File
            ? ::ReplaceFileW(full.c_str(), beside, nullptr, 0, nullptr, nullptr) != FALSE
            : ::MoveFileExW(beside, full.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    return done ? 0 : lastErrorOr(ERROR_WRITE_FAULT);
}

}  // namespace

DWORD writeStandard(DWORD which, std::wstring_view text) {
    const HANDLE handle = ::GetStdHandle(which);
    const bool given = handle != nullptr && handle != INVALID_HANDLE_VALUE;
    const DWORD type = given ? ::GetFileType(handle) : FILE_TYPE_UNKNOWN;
    // A character device that is no console: NUL, or a port.
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ||
        (type == FILE_TYPE_CHAR && !isConsole(handle))) {
        return writeBytes(handle, utf8(text));
    }
    if (type == FILE_TYPE_CHAR && writeConsole(handle, text) == 0) return 0;
    const HANDLE console = parentConsole();
    if (!console) return ERROR_INVALID_HANDLE;
    return writeConsole(console, text);
}

DWORD writeWholeFile(const std::wstring& path, std::wstring_view text) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return lastErrorOr(ERROR_INVALID_NAME);
    std::wstring full(size, L'\0');
    wchar_t* name = nullptr;
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), &name);
    if (length == 0 || length >= size) return ERROR_INVALID_NAME;
    // A device's full path (\\.\NUL) may name no file part.
    const std::wstring folder = name ? std::wstring(full.data(), name) : std::wstring();
    full.resize(length);

    const std::string bytes = utf8(text);
    const Existing existing = whatIsAt(full);
    if (existing == Existing::Device) return writeDevice(full, bytes);
    // As writing into a folder by its name is answered.
    if (existing == Existing::Folder) return ERROR_ACCESS_DENIED;
    // A path that ends in a separator names a folder.
    if (folder.empty()) return ERROR_INVALID_NAME;
    wchar_t beside[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"qln", 0, beside)) {
        return lastErrorOr(ERROR_CANNOT_MAKE);
    }
    DWORD error = writeNewFile(beside, bytes);
    if (error == 0) error = putInPlace(beside, full, existing);
    if (error != 0) ::DeleteFileW(beside);
    return error;
}

}  // namespace quellon::win32
