// Run-time errors of the tool's toolkit: a number and a description, raised as exceptions
// by controls, conversions and the lazily bound system functions. Every number the tool can
// raise is listed here, in one place.
#pragma once

#include <string>
#include <string_view>

namespace quellon {

enum class ErrorNumber : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    DllNotFound = 48,
    InternalError = 51,
    ObjectNotSet = 91,
    EntryPointNotFound = 453,
    ElementNotFound = 35601,
    KeyNotUnique = 35602,
    NodeRemoved = 35605,
};

struct RuntimeError {
    int number;
    std::wstring description;
};

// The toolkit's standard description of an error number.
std::wstring describe(ErrorNumber number);

RuntimeError runtimeError(ErrorNumber number);

// Errors with a description of their own.
RuntimeError entryPointNotFound(std::string_view function, std::string_view library);
RuntimeError dllNotFound(std::string_view library);

[[noreturn]] void raise(ErrorNumber number);

}  // namespace quellon
