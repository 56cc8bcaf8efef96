// The command line: /dump writes a window's tree in the text form and its details, to a pipe
// or a file, and says what is wrong in one line on standard error with an exit code; /hwnd
// starts the tool with a window's tree shown.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/Input.h"
#include "../driver/MessageBoxes.h"
#include "../driver/Processes.h"
#include "../driver/RemoteMemory.h"
#include "../driver/RemoteTree.h"
#include "../driver/Session.h"
#include "../driver/Wait.h"
#include "../driver/WindowQueries.h"
#include "../fixture/FixtureLayout.h"
#include "CommandLineRuns.h"
#include "DetailsExpectations.h"
#include "TreeExpectations.h"

using namespace e2e;
using namespace fixture;
namespace fs = std::filesystem;

namespace {

// Checks a dump of the window: its tree against an enumeration of the windows, its details
// against the driver's own reading and against the details box after a drag onto the window
// (to `probeAt`) and a click on its entry.
void checkDump(TestContext& t, HWND window, POINT probeAt, const std::wstring& dumped) {
    const std::size_t gap = dumped.find(L"\r\n\r\n");
    t.require(gap != std::wstring::npos && dumped.ends_with(L"\r\n"),
              cat("no empty line after the tree, or no line end at the end: ", quote(dumped)));
    t.checkText(dumped.substr(0, gap + 2), expectedTreeText(window), "the dumped tree");
    const std::wstring details = dumped.substr(gap + 4, dumped.size() - gap - 6);
    t.checkText(details, expectedDetails(window, executablePath(processOf(window))),
                "the dumped details");
    checkDetailsBoxShows(t, window, probeAt, details);
}

}  // namespace

E2E_TEST(dump_of_the_main_window_and_a_dialog_equals_their_enumeration_and_details_box) {
    const FixtureWindows& f = t.session().fixture();
    // The main window by its decimal handle, to a pipe.
    const auto decimal = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(f.main));
    const FinishedRun main = runTool(t, {L"/dump", std::to_wstring(decimal)});
    t.checkEqual(main.exitCode, DWORD{0}, "exit code of the main window's dump");
    t.checkText(widen(main.err), L"", "standard error of the main window's dump");
    checkDump(t, f.main, clientToScreen(f.main, kBareMainPoint), widen(main.out));

    // The dialog by its handle in hexadecimal into a file, the options in other letters.
    const fs::path file = freshPath(L"quellon-dump.txt");
    const FinishedRun dialog =
        runTool(t, {L"/DUMP", L"&h" + hexDigits(f.dialog), L"/Out", file.wstring()});
    t.checkEqual(dialog.exitCode, DWORD{0}, "exit code of the dialog's dump");
    t.checkText(widen(dialog.out + dialog.err), L"",
                "output of the dialog's dump besides the file");
    const std::optional<std::string> written = fileBytes(file);
    t.require(written.has_value(), "no file written");
    checkDump(t, f.dialog, clientToScreen(f.dialog, {10, 10}), widen(*written));
    fs::remove(file);
}

E2E_TEST(dump_at_a_point_writes_the_tree_of_the_window_under_it) {
    const HWND button = t.session().fixture().byId(kIdDeepButton);
    const POINT point = centreOf(windowRect(button));
    t.require(WindowFromPoint(point) == button, "the button is covered");
    const FinishedRun run =
        runTool(t, {L"/dump", L"@" + std::to_wstring(point.x) + L"," + std::to_wstring(point.y)});
    t.checkEqual(run.exitCode, DWORD{0}, "exit code");
    const std::wstring dumped = widen(run.out);
    t.checkText(dumped.substr(0, dumped.find(L"\r\n\r\n") + 2), expectedTreeText(button),
                "the dumped tree");
}

E2E_TEST(dump_and_hwnd_of_no_window_or_with_a_mistake_exit_with_one_line_and_write_nothing) {
    const std::wstring gone = L"&H" + hexDigits(vanishedWindow(t));
    const std::wstring main = L"&H" + hexDigits(t.session().fixture().main);
    const fs::path fresh = freshPath(L"quellon-fresh.txt");
    const fs::path kept = freshPath(L"quellon-kept.txt");
    std::ofstream(kept, std::ios::binary) << "vorher";
    // A folder in the place of the file: the text is written beside it, and cannot replace it.
    const fs::path folder = freshPath(L"quellon-folder");
    fs::create_directory(folder);
    const std::ptrdiff_t besideBefore = filesBeside();
    const std::wstring noWindow = L"Kein Fenster mit dem Handle " + gone + L".";
    struct Row {
        std::vector<std::wstring> args;
        DWORD exitCode;
        std::wstring error;  // the line's beginning
    };
    const Row rows[] = {
        {{L"/dump", gone, L"/out", fresh.wstring()}, 1, noWindow},
        {{L"/dump", gone, L"/out", kept.wstring()}, 1, noWindow},
        {{L"/hwnd", gone}, 1, noWindow},
        {{L"/dump", L"0x1FFFFFFFF", L"/out", kept.wstring()}, 2, L"\"0x1FFFFFFFF\" ist kein"},
        {{L"/dump"}, 2, L"Nach /dump fehlt das Fenster"},
        {{L"/hwnd", main, L"/dump", main}, 2, L"/hwnd und /dump gehen nicht zusammen"},
        {{L"/dump", main, L"/out", folder.wstring()}, 3, L"Die Datei \"" + folder.wstring()},
    };
    for (const Row& row : rows) {
        std::string what = "the tool";
        for (const std::wstring& arg : row.args) what.append(" ").append(utf8(arg));
        const FinishedRun run = runTool(t, row.args);
        t.checkEqual(run.exitCode, row.exitCode, what + ": exit code");
        const std::wstring error = widen(run.err);
        t.check(error.starts_with(row.error) && error.find(L"\r\n") == error.size() - 2,
                cat(what, ": standard error should be one line beginning ", quote(row.error),
                    ", got ", quote(error)));
        t.checkText(widen(run.out), L"", what + ": standard output");
    }
    t.check(!fs::exists(fresh), "a file was written");
    t.check(fileBytes(kept) == "vorher", "the file that was there changed");
    t.checkEqual(filesBeside(), besideBefore, "files left beside");
    fs::remove(kept);
    fs::remove(folder);
}

E2E_TEST(hwnd_starts_the_tool_with_the_tree_of_the_window_shown) {
    const FixtureWindows& f = t.session().fixture();
    ChildProcess tool(t.session().paths().tool, {L"/hwnd", L"&H" + hexDigits(f.dialog)});
    const HWND main = waitForTopLevel(
        tool.id(), [](HWND w) { return className(w) == L"TarnwickWQuellon"; }, 20000);
    t.require(main != nullptr, "the tool showed no main window");
    const HWND tree = childWith(main, L"SysTreeView32", L"");
    t.require(tree != nullptr, "the tool has no tree");
    RemoteTree remote(tree);
    const std::wstring entry = chainOf(f.dialog).back();
    t.require(waitUntil([&] {
                  const std::optional<TreeItem> selected = remote.selected();
                  return selected && selected->text == entry;
              }),
              cat("the tree did not come to show ", quote(entry), ":", describe(remote.read())));
    checkTreeShows(t, remote.read(), f.dialog);
    for (const auto& box : messageBoxesOf(tool.id())) {
        t.check(false, cat("message box ", quote(box.caption), ": ", quote(box.text)));
    }
    t.checkEqual(tool.stop(), std::string(), "what went wrong when the tool was closed");
}

// /out as Windows means it: a file there is replaced in place and keeps its attributes, a new
// one is made, a device takes the text directly, and a read-only file stays as it was.
E2E_TEST(dump_out_replaces_a_file_in_place_makes_a_new_one_and_writes_a_device) {
    const std::wstring main = L"&H" + hexDigits(t.session().fixture().main);
    const FinishedRun piped = runTool(t, {L"/dump", main});
    t.require(piped.exitCode == 0 && piped.out.starts_with("DesktopWindow\r\n"), "no dump");
    const fs::path fresh = freshPath(L"quellon-new.txt");
    const fs::path marked = freshPath(L"quellon-marked.txt");
    const fs::path readOnly = freshPath(L"quellon-read-only.txt");
    for (const fs::path& path : {marked, readOnly})
        std::ofstream(path, std::ios::binary) << "vorher";
    constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    t.require(SetFileAttributesW(marked.c_str(), kMarks) &&
                  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY),
              "the files' attributes were not set");
    const std::ptrdiff_t besideBefore = filesBeside();
    struct Row {
        std::wstring out;
        DWORD exitCode;
        std::wstring error;  // the line's beginning
    };
    const Row rows[] = {
        {fresh.wstring(), 0, L""},
        {marked.wstring(), 0, L""},
        {L"NUL", 0, L""},
        {L"nul", 0, L""},
        {readOnly.wstring(), 3,
         L"Die Datei \"" + readOnly.wstring() + L"\" wurde nicht geschrieben (Systemfehler 5)."},
    };
    for (const Row& row : rows) {
        const std::string what = cat("/out ", row.out);
        const FinishedRun run = runTool(t, {L"/dump", main, L"/out", row.out});
        t.checkEqual(run.exitCode, row.exitCode, what + ": exit code");
        t.checkText(widen(run.out), L"", what + ": standard output");
        const std::wstring error = widen(run.err);
        t.check(row.error.empty() ? error.empty() : error == row.error + L"\r\n",
                cat(what, ": standard error should be ", quote(row.error), ", got ", quote(error)));
    }
    t.check(fileBytes(fresh) == piped.out, "the new file does not hold the dump");
    t.check(fileBytes(marked) == piped.out, "the replaced file does not hold the dump");
    t.check(fileBytes(readOnly) == "vorher", "the read-only file changed");
    t.check((GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY) != 0,
            "the read-only file is no longer read-only");
    // Wine's ReplaceFileW (Wine 8) carries no attributes over; Windows keeps them.
    if (!underWine()) {
        t.checkEqual(GetFileAttributesW(marked.c_str()), kMarks, "the replaced file's attributes");
    }
    t.checkEqual(filesBeside(), besideBefore, "files left beside");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(marked.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const fs::path& path : {fresh, marked, readOnly}) fs::remove(path);
}
