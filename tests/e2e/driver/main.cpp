// quellon-e2e.exe: end-to-end tests of the tool, driving it with real input from outside.
//   quellon-e2e.exe [--tool PATH] [--fixture PATH] [--expect-dpi N] [--shortened]
//                   [GoogleTest's options] [FILTER...]
// --shortened runs the longest cases shortened (E2eTest.h).
// A filter selects the test cases whose names contain it, of those written for the screen's DPI;
// a case on request (suite OnRequest) runs only when a filter is its whole name. A filter that
// selects no case, whatever its DPI, fails the run before any case runs, and so does a screen
// whose DPI is not the one expected. A --gtest_filter replaces this selection. The last
// line of the output of a run reads "N passed, N failed"; the exit code is 0 only when none failed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "E2eTest.h"
#include "Session.h"
#include "Text.h"
#include "shared_names.h"

namespace {

bool wanted(const std::string& suite, const std::string& name,
            const std::vector<std::string>& filters) {
    if (suite == e2e::kOnRequestSuite) {
        return std::find(filters.begin(), filters.end(), name) != filters.end();
    }
    if (filters.empty()) return true;
    return std::any_of(filters.begin(), filters.end(), [&](const std::string& filter) {
        return name.find(filter) != std::string::npos;
    });
}

// Calls visit(suite, name) for every case.
template <class Visit>
void forEachCase(Visit visit) {
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    for (int i = 0; i < tests.total_test_suite_count(); ++i) {
        const testing::TestSuite& cases = *tests.GetTestSuite(i);
        for (int j = 0; j < cases.total_test_count(); ++j) {
            visit(std::string(cases.name()), std::string(cases.GetTestInfo(j)->name()));
        }
    }
}

// The GoogleTest filter for the cases written for a screen of this DPI whose names contain one
// of the filters (all when there is none); a case on request needs a filter that is its whole
// name, and runs at the standard DPI.
std::string selection(const std::vector<std::string>& filters, unsigned dpi) {
    const std::string suite = e2e::suiteForDpi(dpi);
    // Short, since GoogleTest prints the filter at the start of the run.
    if (filters.empty()) return e2e::cat(suite, ".*");
    std::string selected;
    forEachCase([&](const std::string& caseSuite, const std::string& name) {
        const bool onRequest = caseSuite == e2e::kOnRequestSuite && dpi == e2e::kStandardDpi;
        if ((caseSuite != suite && !onRequest) || !wanted(caseSuite, name, filters)) return;
        selected += e2e::cat(selected.empty() ? "" : ":", caseSuite, ".", name);
    });
    // An empty filter would select every case; the filters may all name cases of another DPI.
    return selected.empty() ? "-*" : selected;
}

// The filters that select no case of any DPI: a mistyped or renamed case would otherwise make
// the run pass without running it.
std::string unmatched(const std::vector<std::string>& filters) {
    std::string names;
    for (const std::string& filter : filters) {
        bool matches = false;
        forEachCase([&](const std::string& suite, const std::string& name) {
            matches = matches || wanted(suite, name, {filter});
        });
        if (!matches) names += e2e::cat(names.empty() ? "" : " ", filter);
    }
    return names;
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
    e2e::Paths paths{folder + L"..\\..\\" QUELLON_TOOL_FILE_NAME, folder + L"QuellonFixture.exe"};
    std::vector<std::string> filters;
    std::optional<unsigned> expectedDpi;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--tool" && i + 1 < argc) {
            paths.tool = argv[++i];
        } else if (arg == L"--fixture" && i + 1 < argc) {
            paths.fixture = argv[++i];
        } else if (arg == L"--shortened") {
            e2e::shortenLongCases();
        } else if (arg == L"--expect-dpi" && i + 1 < argc) {
            expectedDpi = static_cast<unsigned>(std::wcstoul(argv[++i], nullptr, 10));
        } else {
            filters.push_back(e2e::utf8(arg));
        }
    }
    // A pass meant for another DPI would run the other pass's cases, or none, and pass.
    if (expectedDpi && e2e::screenDpi() != *expectedDpi) {
        std::printf("the screen reports %u DPI, not the expected %u: no case ran\n",
                    e2e::screenDpi(), *expectedDpi);
        return 2;
    }
    if (GTEST_FLAG_GET(filter) == "*") {
        if (std::string names = unmatched(filters); !names.empty()) {
            std::printf("no case matches: %s\n", names.c_str());
            return 2;
        }
        GTEST_FLAG_SET(filter, selection(filters, e2e::screenDpi()));
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
