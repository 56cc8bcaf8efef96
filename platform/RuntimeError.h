// Run-time errors of the tool's toolkit: a number and a description, raised as exceptions
// by controls, conversions and the lazily bound system functions. Every number the tool can
// raise is listed here, in one place.
#pragma once

#include <string>
#include <string_view>

namespace quellon {

// One error of the toolkit: its number and its standard description.
struct StandardError {
    int number;
    const wchar_t* description;
};

// The tree control numbers its own errors above this base.
inline constexpr int kTreeControlErrors = 35600;

// The table of every error the tool raises.
struct ErrorNumber {
    static constexpr StandardError InvalidCall{5, L"Invalid procedure call or argument"};
    static constexpr StandardError Overflow{6, L"Overflow"};
    static constexpr StandardError OutOfMemory{7, L"Out of memory"};
    static constexpr StandardError SubscriptOutOfRange{9, L"Subscript out of range"};
    static constexpr StandardError TypeMismatch{13, L"Type mismatch"};
    static constexpr StandardError DllNotFound{48, L"Error in loading DLL"};
    static constexpr StandardError InternalError{51, L"Internal error"};
    static constexpr StandardError ObjectNotSet{91, L"Object variable not set"};
    static constexpr StandardError EntryPointNotFound{453, L"Can't find DLL entry point"};

    static constexpr StandardError ElementNotFound{kTreeControlErrors + 1, L"Element not found"};
    static constexpr StandardError KeyNotUnique{kTreeControlErrors + 2,
                                                L"Key is not unique in collection"};
    static constexpr StandardError NodeRemoved{kTreeControlErrors + 5,
                                               L"The node has been removed"};
};

struct RuntimeError {
    int number;
    std::wstring description;
};

RuntimeError runtimeError(StandardError error);

// "Error <number> (<description>)": the error as every report of the tool names it.
[[nodiscard]] std::wstring errorText(const RuntimeError& error);

// Errors with a description of their own.
RuntimeError entryPointNotFound(std::string_view function, std::string_view library);
RuntimeError dllNotFound(std::string_view library);

[[noreturn]] void raise(StandardError error);

}  // namespace quellon
