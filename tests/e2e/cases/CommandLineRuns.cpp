#include "CommandLineRuns.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "../driver/Session.h"
#include "DetailsExpectations.h"
#include "TreeExpectations.h"
#include "shared_names.h"

namespace fs = std::filesystem;

namespace e2e {

std::wstring companionPath(Session& session) {
    const std::wstring& tool = session.paths().tool;
    return tool.substr(0, tool.find_last_of(L"\\/") + 1) + QUELLON_COMPANION_FILE_NAME;
}

FinishedRun runToEndOf(TestContext& t, const std::wstring& program,
                       const std::vector<std::wstring>& args) {
    FinishedRun run = runToEnd(program, args, kRunTimeoutMs);
    t.require(run.ended, cat(program, " did not end within ", kRunTimeoutMs, " ms"));
    return run;
}

FinishedRun runTool(TestContext& t, const std::vector<std::wstring>& args) {
    return runToEndOf(t, t.session().paths().tool, args);
}

FinishedRun runCompanion(TestContext& t, const std::vector<std::wstring>& args) {
    return runToEndOf(t, companionPath(t.session()), args);
}

fs::path freshPath(const wchar_t* name) {
    fs::path path = fs::temp_directory_path() / name;
    fs::remove_all(path);
    return path;
}

std::optional<std::string> fileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::ptrdiff_t filesBeside() {
    return std::count_if(fs::directory_iterator(fs::temp_directory_path()), {}, [](auto& entry) {
        const std::wstring name = entry.path().filename().wstring();
        return name.starts_with(L"qln") && name.ends_with(L".tmp");
    });
}

int peSubsystem(const std::wstring& path) {
    const std::optional<std::string> bytes = fileBytes(path);
    // The offset of "PE\0\0" at 0x3C; the optional header follows the 20 bytes of the file
    // header, and holds the subsystem at 68 in either width.
    constexpr std::size_t kSignatureAt = 0x3C, kFileHeader = 4 + 20, kSubsystemAt = 68;
    if (!bytes || bytes->size() < kSignatureAt + 4 || !bytes->starts_with("MZ")) return 0;
    std::uint32_t signature = 0;
    std::copy_n(bytes->data() + kSignatureAt, 4, reinterpret_cast<char*>(&signature));
    const std::size_t field = std::size_t{signature} + kFileHeader + kSubsystemAt;
    if (field + 2 > bytes->size() || bytes->compare(signature, 4, std::string("PE\0\0", 4)) != 0) {
        return 0;
    }
    return static_cast<unsigned char>((*bytes)[field]) |
           static_cast<unsigned char>((*bytes)[field + 1]) << 8;
}

void checkDetailsBoxShows(TestContext& t, HWND window, POINT probeAt, const std::wstring& details) {
    t.require(probeAndCheck(t, probeAt, chainOf(window).back()), "no chain");
    const auto entries = shownEntries(t.session(), {window});
    t.require(entries.size() == 1, "the window's entry is not on the screen");
    clickAndCheckDetails(t, entries[0].entry, details);
}

}  // namespace e2e
