#include "platform/RuntimeError.h"

namespace quellon {

namespace {

std::wstring widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

std::wstring describe(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::InvalidCall: return L"Invalid procedure call or argument";
        case ErrorNumber::Overflow: return L"Overflow";
        case ErrorNumber::OutOfMemory: return L"Out of memory";
        case ErrorNumber::SubscriptOutOfRange: return L"Subscript out of range";
        case ErrorNumber::TypeMismatch: return L"Type mismatch";
        case ErrorNumber::DllNotFound: return L"Error in loading DLL";
        case ErrorNumber::InternalError: return L"Internal error";
        case ErrorNumber::ObjectNotSet: return L"Object variable not set";
        case ErrorNumber::EntryPointNotFound: return L"Can't find DLL entry point";
        case ErrorNumber::ElementNotFound: return L"Element not found";
        case ErrorNumber::KeyNotUnique: return L"Key is not unique in collection";
        case ErrorNumber::NodeRemoved: return L"The node has been removed";
    }
    return L"Application-defined or object-defined error";
}

RuntimeError runtimeError(ErrorNumber number) {
    return {static_cast<int>(number), describe(number)};
}

RuntimeError entryPointNotFound(std::string_view function, std::string_view library) {
    return {static_cast<int>(ErrorNumber::EntryPointNotFound),
            describe(ErrorNumber::EntryPointNotFound) + L" " + widen(function) + L" in " +
                widen(library)};
}

RuntimeError dllNotFound(std::string_view library) {
    return {static_cast<int>(ErrorNumber::DllNotFound),
            describe(ErrorNumber::DllNotFound) + L" " + widen(library)};
}

void raise(ErrorNumber number) { throw runtimeError(number); }

}  // namespace quellon
