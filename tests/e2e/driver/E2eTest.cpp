#include "E2eTest.h"

#include <cstdio>
#include <exception>

#include "OwnedHandles.h"
#include "Session.h"
#include "shared_names.h"

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

int gesturesRepeated = 0;
bool shortened = false;

}  // namespace

bool TestContext::check(bool condition, const std::string& message, SourceLocation where) {
    if (!condition) ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << message;
    return condition;
}

void TestContext::require(bool condition, const std::string& message, SourceLocation where) {
    if (condition) return;
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << message;
    throw TestAbort{};
}

unsigned screenDpi() {
    const ClientDC screen;
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : kStandardDpi;
}

std::string suiteForDpi(unsigned dpi) { return cat("Dpi", dpi); }

void useSession(Session& session) { theSession = &session; }

bool underWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void withWineCodeOffThenOn(TestContext& t,
                           const std::function<void(const ToolWindows& tool, bool wineCode)>& check,
                           const std::function<void(DWORD thread)>& beforeRun) {
    {
        SCOPED_TRACE("with the Wine-only code switched off");
        check(t.session().restartTool({{QUELLON_WINE_SWITCH, L"0"}}, beforeRun), false);
    }
    if (!underWine()) return;  // the one way there is
    SCOPED_TRACE("as started normally");
    check(t.session().restartTool({}, beforeRun), true);
}

void shortenLongCases() { shortened = true; }

int roundsToRun(int rounds) { return shortened ? (rounds + 2) / 3 : rounds; }

void noteRepeatedGesture(const std::string& reason) {
    ++gesturesRepeated;
    std::printf("[REPEAT] %s: %s\n", theSession->caseName().c_str(), reason.c_str());
}

int repeatedGestures() { return gesturesRepeated; }

void runCase(const char* fullName, unsigned dpi, TestFunction body) {
    if (screenDpi() != dpi) GTEST_SKIP() << "written for a screen of " << dpi << " DPI";
    theSession->beginCase(fullName);
    attempt(body);
    for (const std::string& problem : theSession->endOfCaseProblems()) {
        ADD_FAILURE() << "after the case: " << problem;
    }
    if (!testing::Test::HasFailure()) return;
    // The failure is counted; what the case left behind (a message box, a held button, a tool
    // in any state) must not fail the next one as well.
    std::printf("       the tool is started afresh for the next case\n");
    theSession->recover();
}

}  // namespace e2e
