// A small test framework for the end-to-end driver: named test cases registered at start-up,
// checks that record a failure and go on, requirements that end the test case.
#pragma once

#include <string>
#include <vector>

#include "Text.h"

namespace e2e {

class Session;

// Thrown by TestContext::require to end the current test case.
struct TestAbort {
    std::string message;
};

class TestContext {
public:
    explicit TestContext(Session& session) : session_(session) {}

    Session& session() { return session_; }

    // Records a failure when the condition does not hold; the test goes on.
    bool check(bool condition, const std::string& message);
    // Ends the test case when the condition does not hold.
    void require(bool condition, const std::string& message);

    template <class A, class B>
    bool checkEqual(const A& actual, const B& expected, const std::string& what) {
        return check(actual == expected, cat(what, ": expected ", expected, ", got ", actual));
    }

    bool checkText(const std::wstring& actual, const std::wstring& expected,
                   const std::string& what) {
        return check(actual == expected,
                     cat(what, ": expected ", quote(expected), ", got ", quote(actual)));
    }

    const std::vector<std::string>& failures() const { return failures_; }

private:
    Session& session_;
    std::vector<std::string> failures_;
};

using TestFunction = void (*)(TestContext&);

// The DPI of an ordinary run; a case written for another one runs only when the screen has it.
inline constexpr unsigned kStandardDpi = 96;

struct TestCase {
    std::string name;
    TestFunction function;
    unsigned dpi = kStandardDpi;
    // Left out of ordinary runs; runs only when a filter is its whole name.
    bool explicitOnly = false;
};

std::vector<TestCase>& registry();

struct Registrar {
    Registrar(const char* name, TestFunction function, unsigned dpi = kStandardDpi,
              bool explicitOnly = false) {
        registry().push_back({name, function, dpi, explicitOnly});
    }
};

// The screen's DPI as a DPI-aware program sees it.
unsigned screenDpi();

// Runs the test cases for the screen's DPI whose names contain one of the filters (all when
// there is none; an explicit-only case needs a filter that is its whole name), prints one line per
// case and the summary line; returns the number of failed cases.
int runTests(Session& session, const std::vector<std::string>& filters);

}  // namespace e2e

// Defines a test case; the name is the identifier, so filters can pick groups by prefix.
#define E2E_TEST(name) E2E_TEST_AT_DPI(name, e2e::kStandardDpi)

// Defines a test case that runs only on a screen of that DPI.
#define E2E_TEST_AT_DPI(name, dpi)                                   \
    static void name(e2e::TestContext& t);                           \
    static const e2e::Registrar name##Registrar_{#name, &name, dpi}; \
    static void name(e2e::TestContext& t)

// Defines a case that produces something rather than checks it (a picture for the documents):
// it runs only when its whole name is given as a filter.
#define E2E_EXPLICIT_TEST(name)                                                          \
    static void name(e2e::TestContext& t);                                               \
    static const e2e::Registrar name##Registrar_{#name, &name, e2e::kStandardDpi, true}; \
    static void name(e2e::TestContext& t)
