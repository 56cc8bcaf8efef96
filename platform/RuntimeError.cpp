#include "platform/RuntimeError.h"

namespace quellon {

namespace {

std::wstring widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

RuntimeError runtimeError(StandardError error) { return {error.number, error.description}; }

std::wstring errorText(const RuntimeError& error) {
    return L"Error " + std::to_wstring(error.number) + L" (" + error.description + L")";
}

RuntimeError entryPointNotFound(std::string_view function, std::string_view library) {
    const StandardError& error = ErrorNumber::EntryPointNotFound;
    return {error.number,
            std::wstring(error.description) + L" " + widen(function) + L" in " + widen(library)};
}

RuntimeError dllNotFound(std::string_view library) {
    const StandardError& error = ErrorNumber::DllNotFound;
    return {error.number, std::wstring(error.description) + L" " + widen(library)};
}

void raise(StandardError error) { throw runtimeError(error); }

}  // namespace quellon
