#include "E2eTest.h"

#include <gtest/gtest-spi.h>

#include <cstdio>
#include <exception>
#include <string_view>

#include "Session.h"

namespace e2e {

namespace {

Session* theSession = nullptr;

// Runs the case's body once; whatever it throws is a failure of the case, so one broken case
// cannot end the run.
void attempt(TestFunction body) {
    TestContext context(*theSession);
    try {
        body(context);
    } catch (const TestAbort&) {
        // require() has reported it.
    } catch (const std::exception& e) {
        ADD_FAILURE() << "exception: " << e.what();
    } catch (...) {
        ADD_FAILURE() << "unknown exception";
    }
}

// Prints a failure of the first run as the check worded it, indented.
void printFirstFailure(const testing::TestPartResult& result) {
    std::string_view message = result.message();
    // ADD_FAILURE puts a line of its own before the check's message.
    const std::string_view generic = "Failed\n";
    if (message.starts_with(generic)) message.remove_prefix(generic.size());
    std::printf("       %.*s\n", static_cast<int>(message.size()), message.data());
}

}  // namespace

bool TestContext::check(bool condition, const std::string& message, std::source_location where) {
    if (!condition) ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << message;
    return condition;
}

void TestContext::require(bool condition, const std::string& message, std::source_location where) {
    if (condition) return;
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << message;
    throw TestAbort{};
}

unsigned screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kStandardDpi;
}

std::string suiteForDpi(unsigned dpi) { return cat("Dpi", dpi); }

void useSession(Session& session) { theSession = &session; }

void runCase(const char* name, unsigned dpi, TestFunction body) {
    if (screenDpi() != dpi) GTEST_SKIP() << "written for a screen of " << dpi << " DPI";
    testing::TestPartResultArray firstRun;
    {
        testing::ScopedFakeTestPartResultReporter intercept(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &firstRun);
        attempt(body);
    }
    if (firstRun.size() == 0) return;

    // Whatever the case left on the screen (a message box, a held button) must not leak into
    // the next one.
    theSession->recover();
    // Wine now and then hands a program a pointer position from earlier in a quick sequence of
    // moves, and a click lands on the wrong spot. A failed case runs once more with the programs
    // started afresh; the first failure stays in the output.
    std::printf("[RETRY] %s\n", name);
    for (int i = 0; i < firstRun.size(); ++i) printFirstFailure(firstRun.GetTestPartResult(i));
    theSession->stopAll();
    attempt(body);
    if (testing::Test::HasFailure()) theSession->recover();
}

}  // namespace e2e
