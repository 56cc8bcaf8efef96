// quellon-e2e.exe: end-to-end tests of the tool, driving it with real input from outside.
//   quellon-e2e.exe [--tool PATH] [--fixture PATH] [--list] [FILTER...]
// A filter selects the test cases whose names contain it. The last line of the output reads
// "N passed, N failed"; the exit code is 0 only when none failed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Harness.h"
#include "Session.h"
#include "Text.h"

int wmain(int argc, wchar_t** argv) {
    // Real pixels for every window and the pointer, as the tool sees them, whatever the DPI.
    SetProcessDPIAware();
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
        } else if (arg == L"--list") {
            for (const auto& test : e2e::registry()) std::printf("%s\n", test.name.c_str());
            return 0;
        } else {
            filters.push_back(e2e::utf8(arg));
        }
    }
    e2e::Session session(paths);
    int failed = e2e::runTests(session, filters);
    session.stopAll();
    return failed == 0 ? 0 : 1;
}
