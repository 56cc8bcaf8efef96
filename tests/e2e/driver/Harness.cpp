#include "Harness.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "Session.h"

namespace e2e {

namespace {

void printLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool selected(const TestCase& test, const std::vector<std::string>& filters, unsigned dpi) {
    if (test.dpi != dpi) return false;
    if (test.explicitOnly) {
        return std::find(filters.begin(), filters.end(), test.name) != filters.end();
    }
    if (filters.empty()) return true;
    for (const auto& filter : filters) {
        if (test.name.find(filter) != std::string::npos) return true;
    }
    return false;
}

// Runs one case; whatever it throws counts as its failure, so one broken case cannot end the run.
std::vector<std::string> runOne(Session& session, const TestCase& test) {
    TestContext context(session);
    std::vector<std::string> extra;
    try {
        test.function(context);
    } catch (const TestAbort& abort) {
        extra.push_back(abort.message);
    } catch (const std::exception& e) {
        extra.push_back(cat("exception: ", e.what()));
    } catch (...) {
        extra.push_back("unknown exception");
    }
    std::vector<std::string> failures = context.failures();
    failures.insert(failures.end(), extra.begin(), extra.end());
    if (!failures.empty()) {
        // Whatever the case left on the screen (a message box, a held button) must not leak
        // into the next one.
        session.recover();
    }
    return failures;
}

}  // namespace

bool TestContext::check(bool condition, const std::string& message) {
    if (!condition) failures_.push_back(message);
    return condition;
}

void TestContext::require(bool condition, const std::string& message) {
    if (!condition) throw TestAbort{message};
}

unsigned screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kStandardDpi;
}

std::vector<TestCase>& registry() {
    static std::vector<TestCase> cases;
    return cases;
}

int runTests(Session& session, const std::vector<std::string>& filters) {
    // Registration order follows the link order; the names give a stable one.
    std::vector<TestCase> cases = registry();
    std::sort(cases.begin(), cases.end(),
              [](const TestCase& a, const TestCase& b) { return a.name < b.name; });
    const unsigned dpi = screenDpi();
    int passed = 0;
    int failed = 0;
    for (const auto& test : cases) {
        if (!selected(test, filters, dpi)) continue;
        ULONGLONG start = GetTickCount64();
        std::vector<std::string> failures = runOne(session, test);
        if (!failures.empty()) {
            // Wine now and then hands a program a pointer position from earlier in a quick
            // sequence of moves, and a click lands on the wrong spot. A failed case runs once
            // more with the programs started afresh; the first failure stays in the output.
            printLine("[RETRY] " + test.name);
            for (const auto& message : failures) printLine("       " + message);
            session.stopAll();
            failures = runOne(session, test);
        }
        double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
        char timing[32];
        std::snprintf(timing, sizeof timing, " (%.1f s)", seconds);
        if (failures.empty()) {
            ++passed;
            printLine("[PASS] " + test.name + timing);
        } else {
            ++failed;
            printLine("[FAIL] " + test.name + timing);
            for (const auto& message : failures) printLine("       " + message);
        }
    }
    printLine(cat(passed, " passed, ", failed, " failed"));
    return failed;
}

}  // namespace e2e
