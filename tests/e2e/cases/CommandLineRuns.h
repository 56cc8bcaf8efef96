// Runs of the tool from the command line, as its cases make them: the tool or its console
// companion run to their end, files in the temporary folder, the programs' subsystems, and the
// details of a dump checked against the details box.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Processes.h"

namespace e2e {

inline constexpr DWORD kRunTimeoutMs = 30000;

// The console companion beside the tool under test.
std::wstring companionPath(Session& session);

// Runs the program to its end with the arguments; a run that does not end in time fails the case.
FinishedRun runToEndOf(TestContext& t, const std::wstring& program,
                       const std::vector<std::wstring>& args);
FinishedRun runTool(TestContext& t, const std::vector<std::wstring>& args);
FinishedRun runCompanion(TestContext& t, const std::vector<std::wstring>& args);

// A path in the temporary folder where nothing is.
std::filesystem::path freshPath(const wchar_t* name);
std::optional<std::string> fileBytes(const std::filesystem::path& path);
// The files that the tool writes beside a file before it takes the file's place.
std::ptrdiff_t filesBeside();

// The Subsystem field of the program's PE header: 2 for a windowed program, 3 for a console
// one; 0 when the file is no program.
int peSubsystem(const std::wstring& path);

// Checks that the details box shows `details` after a drag onto the window (to `probeAt`) and a
// click on its entry.
void checkDetailsBoxShows(TestContext& t, HWND window, POINT probeAt, const std::wstring& details);

}  // namespace e2e
