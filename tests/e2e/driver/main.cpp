// quellon-e2e.exe: end-to-end tests of the tool, driving it with real input from outside.
//   quellon-e2e.exe [--tool PATH] [--fixture PATH] [GoogleTest's options] [FILTER...]
// A filter selects the test cases whose names contain it, of those written for the screen's DPI;
// a --gtest_filter replaces this selection. The last line of the output reads "N passed, N
// failed"; the exit code is 0 only when none failed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "E2eTest.h"
#include "Session.h"
#include "Text.h"

namespace {

bool wanted(const std::string& name, const std::vector<std::string>& filters) {
    if (name.starts_with(e2e::kExplicitPrefix)) {
        std::string bare = name.substr(e2e::kExplicitPrefix.size());
        return std::find(filters.begin(), filters.end(), bare) != filters.end();
    }
    if (filters.empty()) return true;
    return std::any_of(filters.begin(), filters.end(), [&](const std::string& filter) {
        return name.find(filter) != std::string::npos;
    });
}

// The GoogleTest filter for the cases written for a screen of this DPI whose names contain one
// of the filters (all when there is none); a case that runs only when named needs a filter that
// is its whole name.
std::string selection(const std::vector<std::string>& filters, unsigned dpi) {
    const std::string suite = e2e::suiteForDpi(dpi);
    // Short, since GoogleTest prints the filter at the start of the run.
    if (filters.empty()) return e2e::cat(suite, ".*-", suite, ".", e2e::kExplicitPrefix, "*");
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    std::string selected;
    for (int i = 0; i < tests.total_test_suite_count(); ++i) {
        const testing::TestSuite& cases = *tests.GetTestSuite(i);
        if (cases.name() != suite) continue;
        for (int j = 0; j < cases.total_test_count(); ++j) {
            std::string name = cases.GetTestInfo(j)->name();
            if (!wanted(name, filters)) continue;
            selected += e2e::cat(selected.empty() ? "" : ":", suite, ".", name);
        }
    }
    // An empty filter would select every case.
    return selected.empty() ? "-*" : selected;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Real pixels for every window and the pointer, as the tool sees them, whatever the DPI.
    SetProcessDPIAware();
    // The output goes to a log: plain text, each line written when it is printed.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    GTEST_FLAG_SET(color, "no");
    testing::InitGoogleTest(&argc, argv);

    // The tool and the fixture lie beside and above the driver in the build folder.
    std::wstring folder = e2e::driverFolder();
    e2e::Paths paths{folder + L"..\\..\\Tarnwick WQuellon.exe", folder + L"QuellonFixture.exe"};
    std::vector<std::string> filters;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--tool" && i + 1 < argc) {
            paths.tool = argv[++i];
        } else if (arg == L"--fixture" && i + 1 < argc) {
            paths.fixture = argv[++i];
        } else {
            filters.push_back(e2e::utf8(arg));
        }
    }
    if (GTEST_FLAG_GET(filter) == "*") {
        GTEST_FLAG_SET(filter, selection(filters, e2e::screenDpi()));
        GTEST_FLAG_SET(also_run_disabled_tests, true);
    }

    e2e::Session session(paths);
    e2e::useSession(session);
    int result = RUN_ALL_TESTS();
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    int failed = tests.failed_test_count();
    // A tool that fails at shut-down fails the run, after the last case's checks.
    if (std::string problem = session.stopAll(); !problem.empty()) {
        std::printf("[  FAILED  ] the tool at the end of the run: %s (last case: %s)\n",
                    problem.c_str(), session.caseName().c_str());
        ++failed;
        result = 1;
    }
    if (e2e::repeatedGestures() > 0)
        std::printf("Gestures repeated: %d\n", e2e::repeatedGestures());
    std::printf("%d passed, %d failed\n", tests.successful_test_count(), failed);
    return result;
}
