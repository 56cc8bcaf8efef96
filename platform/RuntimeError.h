// Run-time errors of the tool's toolkit: a number and a description, raised as exceptions
// by controls, conversions and the lazily bound system functions. Every number the tool can
// raise is listed here, in one place.
#pragma once

#include <string>
#include <string_view>

namespace quellon {

// One error of the toolkit: its number and its standard description.
struct ErrorNumber {
    int number;
    const wchar_t* description;

    static const ErrorNumber InvalidCall;
    static const ErrorNumber Overflow;
    static const ErrorNumber OutOfMemory;
    static const ErrorNumber SubscriptOutOfRange;
    static const ErrorNumber TypeMismatch;
    static const ErrorNumber DllNotFound;
    static const ErrorNumber InternalError;
    static const ErrorNumber ObjectNotSet;
    static const ErrorNumber EntryPointNotFound;
    static const ErrorNumber ElementNotFound;
    static const ErrorNumber KeyNotUnique;
    static const ErrorNumber NodeRemoved;
};

inline constexpr ErrorNumber ErrorNumber::InvalidCall{5, L"Invalid procedure call or argument"};
inline constexpr ErrorNumber ErrorNumber::Overflow{6, L"Overflow"};
inline constexpr ErrorNumber ErrorNumber::OutOfMemory{7, L"Out of memory"};
inline constexpr ErrorNumber ErrorNumber::SubscriptOutOfRange{9, L"Subscript out of range"};
inline constexpr ErrorNumber ErrorNumber::TypeMismatch{13, L"Type mismatch"};
inline constexpr ErrorNumber ErrorNumber::DllNotFound{48, L"Error in loading DLL"};
inline constexpr ErrorNumber ErrorNumber::InternalError{51, L"Internal error"};
inline constexpr ErrorNumber ErrorNumber::ObjectNotSet{91, L"Object variable not set"};
inline constexpr ErrorNumber ErrorNumber::EntryPointNotFound{453, L"Can't find DLL entry point"};
inline constexpr ErrorNumber ErrorNumber::ElementNotFound{35601, L"Element not found"};
inline constexpr ErrorNumber ErrorNumber::KeyNotUnique{35602, L"Key is not unique in collection"};
inline constexpr ErrorNumber ErrorNumber::NodeRemoved{35605, L"The node has been removed"};

struct RuntimeError {
    int number;
    std::wstring description;
};

RuntimeError runtimeError(ErrorNumber error);

// Errors with a description of their own.
RuntimeError entryPointNotFound(std::string_view function, std::string_view library);
RuntimeError dllNotFound(std::string_view library);

[[noreturn]] void raise(ErrorNumber error);

}  // namespace quellon
