// System functions bound by name at their first call. A library that cannot be loaded or a
// function the running system lacks raises the toolkit's run-time error at that call, and
// again at the next one. A library is loaded from the system directory alone, and one that
// cannot be loaded is not asked for again; a function's look-up is kept once it succeeds.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/SystemLibrary.h"

namespace quellon::win32 {

class LazyLibrary {
public:
    explicit LazyLibrary(const char* name) : name_(name), library_(name) {}
    LazyLibrary(const LazyLibrary&) = delete;
    LazyLibrary& operator=(const LazyLibrary&) = delete;

    // Raises dllNotFound or entryPointNotFound.
    FARPROC require(const char* function);
    // nullptr when the library or the function is missing: for optional features.
    FARPROC find(const char* function) noexcept;

private:
    HMODULE load() noexcept;

    const char* name_;
    SystemLibrary library_;
};

template <class Fn>
class LazyFunction {
public:
    LazyFunction(LazyLibrary& library, const char* name) : library_(library), name_(name) {}

    template <class... Args>
    auto operator()(Args&&... args) {
        if (!function_) function_ = cast(library_.require(name_));
        return function_(std::forward<Args>(args)...);
    }

    Fn* find() noexcept {
        if (!function_) function_ = cast(library_.find(name_));
        return function_;
    }

private:
    // Through void(*)() because that type converts to any function type without a warning.
    static Fn* cast(FARPROC address) {
        return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(address));
    }

    LazyLibrary& library_;
    const char* name_;
    Fn* function_ = nullptr;
};

// One member per function, named after it: QUELLON_BIND(user32, GetParent). The function's
// argument is a name, declared and turned into text, never an expression to put in parentheses.
// QUELLON_BIND_AS gives the function's type by hand, for a function that the SDK marks deprecated
// and so cannot be named without a warning (C4996).
// NOLINTBEGIN(bugprone-macro-parentheses)
#define QUELLON_BIND(library, function) QUELLON_BIND_AS(library, function, decltype(::function))
#define QUELLON_BIND_AS(library, function, type) \
    ::quellon::win32::LazyFunction<type> function { library, #function }
// NOLINTEND(bugprone-macro-parentheses)

}  // namespace quellon::win32
