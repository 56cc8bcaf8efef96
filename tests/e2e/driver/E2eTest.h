// The end-to-end cases as GoogleTest tests: the macros that define them, and the context a case
// gets, whose checks report through GoogleTest. A case runs once; what it shows counts.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <source_location>
#include <string>
#include <version>

#include "Text.h"

namespace e2e {

// Where a check stands in its case. clang 14 lacks the builtin that libstdc++ 12 builds
// std::source_location on; there the builtins that clang and GCC share stand in for it.
#ifdef __cpp_lib_source_location
using SourceLocation = std::source_location;
#else
struct SourceLocation {
    const char* file;
    unsigned lineNumber;

    static constexpr SourceLocation current(const char* callerFile = __builtin_FILE(),
                                            unsigned callerLine = __builtin_LINE()) {
        return {callerFile, callerLine};
    }
    constexpr const char* file_name() const { return file; }
    constexpr unsigned line() const { return lineNumber; }
};
#endif

class Session;
struct ToolWindows;

// Thrown by TestContext::require, after it reported the failure, to end the current case.
struct TestAbort {};

class TestContext {
public:
    explicit TestContext(Session& session) : session_(session) {}

    Session& session() { return session_; }

    // Reports a failure when the condition does not hold; the case goes on.
    bool check(bool condition, const std::string& message,
               SourceLocation where = SourceLocation::current());
    // Reports a failure and ends the case when the condition does not hold.
    void require(bool condition, const std::string& message,
                 SourceLocation where = SourceLocation::current());

    template <class A, class B>
    bool checkEqual(const A& actual, const B& expected, const std::string& what,
                    SourceLocation where = SourceLocation::current()) {
        return check(actual == expected, cat(what, ": expected ", expected, ", got ", actual),
                     where);
    }

    bool checkText(const std::wstring& actual, const std::wstring& expected,
                   const std::string& what, SourceLocation where = SourceLocation::current()) {
        return check(actual == expected,
                     cat(what, ": expected ", quote(expected), ", got ", quote(actual)), where);
    }

private:
    Session& session_;
};

using TestFunction = void (*)(TestContext&);

// The DPI of an ordinary run; a case written for another one runs only when the screen has it.
inline constexpr unsigned kStandardDpi = 96;

// The screen's DPI as a DPI-aware program sees it.
unsigned screenDpi();

// The GoogleTest suite of the cases written for a screen of that DPI.
std::string suiteForDpi(unsigned dpi);

// The GoogleTest suite of the cases that run only on request: when a filter is a case's whole
// name, at the standard DPI.
inline constexpr std::string_view kOnRequestSuite = "OnRequest";

// The programs that the cases drive; set before the tests run.
void useSession(Session& session);

// Runs a case as its GoogleTest test "Suite.name": skipped on a screen of another DPI. After the
// body, the tool must still run, show no message box, hold no capture and show no outline.
void runCase(const char* fullName, unsigned dpi, TestFunction body);

// Whether the driver runs under Wine, where some counters of the system read 0 and the tool runs
// code of its own for Wine.
bool underWine();

// Runs `check` in a tool started with its Wine-only code switched off, as it runs on Windows, and
// under Wine then in one started as usual, with that code on (`wineCode`), which the cases after
// it find. `beforeRun`, where given, gets each tool's first thread before it runs.
void withWineCodeOffThenOn(TestContext& t,
                           const std::function<void(const ToolWindows& tool, bool wineCode)>& check,
                           const std::function<void(DWORD thread)>& beforeRun = {});

// The run shortens its longest cases (the hostile walks and the soak), as the 32-bit lane of the
// test command does: their logic is the same code in both widths, and the rest of the suite
// covers what differs between them. Set by the driver's --shortened.
void shortenLongCases();
// The rounds that a long case runs: all of them, or a third, rounded up, where it is shortened.
int roundsToRun(int rounds);

// Notes on a line of its own, "[REPEAT] case: reason", that a gesture is given once more because
// the driver can show that its delivery went wrong (the pointer was not where it was sent).
void noteRepeatedGesture(const std::string& reason);
int repeatedGestures();

}  // namespace e2e

// Defines a test case; the name is the identifier, so filters can pick groups by prefix. (96 is
// kStandardDpi, written as a number since it names the GoogleTest suite.)
#define E2E_TEST(name) E2E_TEST_AT_DPI(name, 96)

// Defines a test case that runs only on a screen of that DPI (a number: it names the suite).
#define E2E_TEST_AT_DPI(name, dpi) E2E_DEFINE_CASE_(Dpi##dpi, name, dpi)

// Defines a case that produces something rather than checks it (a picture for the documents):
// it runs only on request, when its whole name is given as a filter.
#define E2E_ON_REQUEST_TEST(name) E2E_DEFINE_CASE_(OnRequest, name, 96)

// The arguments are names and a number, never expressions to put in parentheses.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define E2E_DEFINE_CASE_(suite, name, dpi)                            \
    static void name(e2e::TestContext& t);                            \
    TEST(suite, name) { e2e::runCase(#suite "." #name, dpi, &name); } \
    static void name(e2e::TestContext& t)
// NOLINTEND(bugprone-macro-parentheses)
