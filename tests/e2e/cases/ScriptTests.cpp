// The command line as scripts use it: the console companion run by cmd.exe as a batch file runs
// it, with its exit codes, its output in order and the tool it starts; the JSON form of a dump
// against the driver's own reading of the windows; and the whole desktop, also while windows go.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../driver/E2eTest.h"
#include "../driver/OwnedHandles.h"
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
#include "app/DetailsLines.h"
#include "shared_names.h"

using namespace e2e;
using namespace fixture;
namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

constexpr wchar_t kConsoleCommand[] = L"C:\\windows\\system32\\cmd.exe";

// The handle as the JSON form writes it: the 32 bits of the system's handle, signed.
std::int32_t number(HWND window) {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
}

std::string hexArgument(HWND window) { return utf8(L"0x" + hexDigits(window)); }

// Runs the lines as a batch file with "cmd /c", as a script runs them; its standard output.
std::string runBatch(TestContext& t, const std::vector<std::string>& lines) {
    const fs::path batch = freshPath(L"quellon-script.cmd");
    {
        std::ofstream file(batch, std::ios::binary);
        file << "@echo off\r\n";
        for (const std::string& line : lines) file << line << "\r\n";
    }
    const FinishedRun run = runToEndOf(t, kConsoleCommand, {L"/c", batch.wstring()});
    fs::remove(batch);
    t.checkText(widen(run.err), L"", "the batch file's standard error");
    return run.out;
}

// A line of the batch file that runs the companion by the tool's name without extension, which
// cmd.exe takes for the companion since .COM comes before .EXE.
std::string companionLine(TestContext& t, const std::string& arguments) {
    std::wstring stem = companionPath(t.session());
    stem.resize(stem.size() - 4);
    std::string line = "\"";
    line += utf8(stem);
    line += "\" ";
    return line + arguments;
}

// A window's text, set for the case and given back at its end.
class ScopedText {
public:
    ScopedText(HWND window, const std::wstring& text) : window_(window), before_(read(window)) {
        set(text);
    }
    ~ScopedText() { set(before_); }
    ScopedText(const ScopedText&) = delete;
    ScopedText& operator=(const ScopedText&) = delete;

private:
    static std::wstring read(HWND window) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        return text;
    }
    void set(const std::wstring& text) const {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_NORMAL, 5000, &answer);
    }

    HWND window_;
    std::wstring before_;
};

// The tool that the companion started, closed at the end of the case.
class StartedTool {
public:
    explicit StartedTool(HWND main) : main_(main) {
        DWORD id = 0;
        GetWindowThreadProcessId(main, &id);
        process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
    }
    ~StartedTool() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        if (process_ && WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
        }
    }
    StartedTool(const StartedTool&) = delete;
    StartedTool& operator=(const StartedTool&) = delete;

private:
    HWND main_;
    UniqueHandle process_;
};

// What the JSON form must say of the window, its children left out, read by the driver itself.
Json expectedObject(HWND window, bool chain) {
    wchar_t text[255] = {};
    GetWindowTextW(window, text, 255);
    RECT rect{};
    GetWindowRect(window, &rect);
    const SIZE client = clientSize(window);
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    return {
        {"handle", number(window)},
        {"text", utf8(text)},
        {"class", utf8(className(window))},
        {"visible", IsWindowVisible(window) != FALSE},
        {"rect",
         {{"left", rect.left}, {"top", rect.top}, {"right", rect.right}, {"bottom", rect.bottom}}},
        {"clientSize", {{"width", client.cx}, {"height", client.cy}}},
        {"style", static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE))},
        {"exStyle", static_cast<std::uint32_t>(GetWindowLongW(window, GWL_EXSTYLE))},
        {"processId", processId},
        {"threadId", threadId},
        {"chain", chain}};
}

// Checks the object of the window and, below it, those of its children in z-order; for a window
// of the chain above the target, only the next one of the chain.
void checkObject(TestContext& t, const Json& object, HWND window,
                 const std::vector<HWND>& chainBelow) {
    Json fields = object;
    fields.erase("children");
    const bool inChain = !chainBelow.empty() || object.value("chain", false);
    t.check(fields == expectedObject(window, inChain),
            cat("the object of ", describeWindow(window), ": expected ",
                expectedObject(window, inChain).dump(), ", got ", fields.dump()));
    const std::vector<HWND> children =
        chainBelow.empty() ? childrenOf(window) : std::vector<HWND>{chainBelow.front()};
    const Json& listed = object.at("children");
    if (!t.check(listed.size() == children.size(),
                 cat(describeWindow(window), " should have ", children.size(), " children, has ",
                     listed.size()))) {
        return;
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        const std::vector<HWND> rest =
            chainBelow.size() > 1 ? std::vector<HWND>(chainBelow.begin() + 1, chainBelow.end())
                                  : std::vector<HWND>{};
        checkObject(t, listed[i], children[i], rest);
    }
}

// The document of a run, which must be one JSON document in UTF-8 without a byte order mark.
// `reports`: whether the walk may report failed steps, one line each on standard error, as it
// does where windows go while it reads them.
Json documentOf(TestContext& t, const FinishedRun& run, bool reports = false) {
    t.checkEqual(run.exitCode, DWORD{0}, "exit code of the JSON dump");
    const std::wstring errors = widen(run.err);
    if (!reports) {
        t.checkText(errors, L"", "standard error of the JSON dump");
    } else {
        for (std::size_t at = 0; at < errors.size(); at = errors.find(L"\r\n", at) + 2) {
            t.check(errors.compare(at, 6, L"Zeile ") == 0 &&
                        errors.find(L"\r\n", at) != std::wstring::npos,
                    cat("standard error should hold reports alone: ", quote(errors)));
            if (errors.find(L"\r\n", at) == std::wstring::npos) break;
        }
    }
    t.check(!run.out.starts_with("\xEF\xBB\xBF"), "the document begins with a byte order mark");
    Json document = Json::parse(run.out, nullptr, false);
    t.require(document.is_object(), cat("no JSON document: ", run.out.substr(0, 2000)));
    return document;
}

}  // namespace

E2E_TEST(companion_in_a_batch_file_returns_each_exit_code_after_its_output) {
    const FixtureWindows& f = t.session().fixture();
    const fs::path folder = freshPath(L"quellon-folder");
    fs::create_directory(folder);
    const std::string output = runBatch(
        t, {companionLine(t, "/dump " + hexArgument(f.dialog) + " 2>&1"), "echo code=%ERRORLEVEL%",
            companionLine(t, "/dump " + hexArgument(vanishedWindow(t)) + " 2>&1"),
            "echo code=%ERRORLEVEL%", companionLine(t, "/bogus 2>&1"), "echo code=%ERRORLEVEL%",
            companionLine(t, "/dump " + hexArgument(f.dialog) + " /out \"" +
                                 utf8(folder.wstring()) + "\" 2>&1"),
            "echo code=%ERRORLEVEL%"});
    fs::remove(folder);
    const std::wstring dump = expectedTreeText(f.dialog) + L"\r\n" +
                              expectedDetails(f.dialog, executablePath(processOf(f.dialog))) +
                              L"\r\n";
    const std::wstring expectedStart = dump + L"code=0\r\nKein Fenster mit dem Handle &H";
    const std::wstring shown = widen(output);
    t.check(shown.starts_with(expectedStart), cat("the batch file's output should begin ",
                                                  quote(expectedStart), ", got ", quote(shown)));
    const std::size_t codes = shown.find(L"code=1\r\n");
    const std::wstring rest = codes == std::wstring::npos ? L"" : shown.substr(codes);
    const std::wstring folderError =
        L"Die Datei \"" + folder.wstring() + L"\" wurde nicht geschrieben";
    t.check(rest.starts_with(L"code=1\r\nUnbekannte Option \"/bogus\"; /? zeigt die Aufrufe.\r\n"
                             L"code=2\r\n" +
                             folderError) &&
                rest.ends_with(L").\r\ncode=3\r\n"),
            cat("after the first dump, the batch file's output should be the three errors, each "
                "before its code; got ",
                quote(rest)));
}

E2E_TEST(hwnd_through_the_companion_returns_at_once_and_the_tool_shows_the_window) {
    const FixtureWindows& f = t.session().fixture();
    t.checkEqual(peSubsystem(companionPath(t.session())), 3, "the companion's subsystem");
    t.checkEqual(peSubsystem(t.session().paths().tool), 2, "the tool's subsystem");
    const DWORD sessionTool = t.session().toolProcessId();
    // cmd.exe waits in a batch file for every program it runs, the windowed tool too: only the
    // companion returns while the tool it started runs on.
    const std::string output =
        runBatch(t, {companionLine(t, "/hwnd " + hexArgument(f.dialog)), "echo code=%ERRORLEVEL%"});
    t.checkText(widen(output), L"code=0\r\n", "the batch file's output");
    HWND main = nullptr;
    waitUntil([&] {
        for (HWND w : allTopLevelWindows()) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process != sessionTool && IsWindowVisible(w) &&
                className(w) == L"TarnwickWQuellon") {
                main = w;
                return true;
            }
        }
        return false;
    });
    t.require(main != nullptr, "the companion started no tool");
    const StartedTool started(main);
    RemoteTree remote(childWith(main, L"SysTreeView32", L""));
    const std::wstring entry = chainOf(f.dialog).back();
    t.require(waitUntil([&] {
                  const std::optional<TreeItem> selected = remote.selected();
                  return selected && selected->text == entry;
              }),
              cat("the started tool did not come to show ", quote(entry)));
    checkTreeShows(t, remote.read(), f.dialog);
}

E2E_TEST(dump_json_of_the_dialog_equals_the_windows_as_read_and_the_details_box) {
    const FixtureWindows& f = t.session().fixture();
    Json document;
    {
        // An emoji (a surrogate pair) in the dialog's title; a lone surrogate and control
        // characters in its button's text.
        const ScopedText title(f.dialog, std::wstring(kDialogTitle) + L" \U0001F600");
        const std::wstring unusual = std::wstring(L"O") + wchar_t{0xD800} + L"K\t\r\n\x01\"";
        const ScopedText button(f.byId(kIdOk), unusual);
        document =
            documentOf(t, runCompanion(t, {L"/DUMP", L"&H" + hexDigits(f.dialog), L"/Json"}));
        t.checkEqual(document.value("target", 0), number(f.dialog), "the target");
        const Json& windows = document.at("windows");
        t.require(windows.size() == 1,
                  cat("one window below the desktop expected: ", windows.dump()));
        checkObject(t, windows[0], f.main, {f.dialog});
        const Json& dialog = windows[0].at("children")[0];
        t.checkEqual(dialog.value("text", ""), utf8(kDialogTitle) + " \xF0\x9F\x98\x80",
                     "the dialog's text");
        t.checkEqual(dialog.at("children")[0].value("text", ""),
                     std::string("O\xEF\xBF\xBDK\t\r\n\x01\""), "the button's text");
    }
    std::wstring details;
    const Json& values = document.at("details");
    const char* keys[] = {"handle", "class", "processId", "module", "size"};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        details += (i ? L"\r\n" : L"") +
                   std::wstring(quellon::detailsLabel(static_cast<quellon::DetailsLine>(i))) +
                   widen(values.value(keys[i], ""));
    }
    t.checkText(details, expectedDetails(f.dialog, executablePath(processOf(f.dialog))),
                "the details' values");
    // With the texts given back, which the tool's tree may show from an earlier drag.
    checkDetailsBoxShows(t, f.dialog, clientToScreen(f.dialog, {10, 10}), details);
}

E2E_TEST(dump_all_lists_every_top_level_window_in_z_order_with_the_fixtures_tree) {
    const HWND main = t.session().fixture().main;
    t.session().tool();
    // Dumped again while the desktop's z-order still settles from the cases before (a window
    // that came to the front), until it stood still from before the dumps until after them.
    std::vector<HWND> before;
    FinishedRun text;
    Json document;
    const bool still = waitUntil(
        [&] {
            before = allTopLevelWindows();
            text = runCompanion(t, {L"/dump", L"/all"});
            document = documentOf(t, runCompanion(t, {L"/json", L"/dump", L"/ALL"}));
            return allTopLevelWindows() == before;
        },
        5000);
    t.require(still, "the desktop's top-level windows did not hold still for two dumps");
    t.checkEqual(text.exitCode, DWORD{0}, "exit code of the text dump");
    const std::wstring dumped = widen(text.out);
    t.require(dumped.starts_with(L"DesktopWindow\r\n"), "the text begins with no desktop");
    std::vector<std::wstring> topLines;
    for (std::size_t at = 0; (at = dumped.find(L"\r\n\t", at)) != std::wstring::npos;) {
        at += 3;
        if (dumped[at] != L'\t') {
            topLines.push_back(dumped.substr(at, dumped.find(L"\r\n", at) - at));
        }
    }
    t.require(topLines.size() == before.size(),
              cat(before.size(), " top-level windows expected, the text lists ", topLines.size()));
    for (std::size_t i = 0; i < before.size(); ++i) {
        t.check(topLines[i].find(L"\t&H" + hexDigits(before[i])) != std::wstring::npos,
                cat("top-level line ", i + 1, " should be ", describeWindow(before[i]), ": ",
                    quote(topLines[i])));
    }
    // The fixture's main window and everything in it, as the tree shows them after a drag.
    const std::wstring subtree = expectedTreeText(main).substr(15);
    t.check(dumped.find(L"\r\n" + subtree) != std::wstring::npos,
            cat("the text should hold the fixture's tree ", quote(subtree)));

    const Json& windows = document.at("windows");
    t.checkEqual(document.value("target", 0), number(GetDesktopWindow()), "the target");
    t.check(!document.contains("details"), "a whole desktop has details");
    t.require(windows.size() == before.size(), "the document lists other top-level windows");
    for (std::size_t i = 0; i < before.size(); ++i) {
        t.checkEqual(windows[i].value("handle", 0), number(before[i]),
                     cat("top-level window ", i + 1));
        if (before[i] == main) checkObject(t, windows[i], main, {});
    }
}

E2E_TEST(dump_all_while_windows_are_destroyed_writes_a_whole_document) {
    const SideFixture side = startSideFixture(t, {L"--destroyer"}, kDestroyerClass);
    const Json document = documentOf(t, runCompanion(t, {L"/dump", L"/all", L"/json"}), true);
    bool listed = false;
    for (const Json& window : document.at("windows")) {
        listed = listed || window.value("handle", 0) == number(side.top);
    }
    t.check(listed, "the destroyer's window is not listed");
}
