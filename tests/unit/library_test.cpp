// Loading the system's libraries by name: from the system directory and nowhere else, also on
// systems without the search flags, and a library that is missing is asked for once.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/SystemLibrary.h"

namespace quellon {
namespace {

constexpr std::uint32_t kModuleNotFound = 126;

// A system whose loader knows the files in `files`: bare names stand for files beside the
// executable, full paths for files in the system directory.
struct SimLoader : LibraryLoader {
    bool knowsSearchFlags = true;
    std::wstring directory = L"C:\\Windows\\system32";
    std::set<std::wstring> files;
    std::vector<std::wstring> asked;  // every name or file asked for, in order

    Handle loadFromSystemDirectory(const std::wstring& name, std::uint32_t& error) override {
        asked.push_back(name);
        if (!knowsSearchFlags) {
            error = kErrorInvalidParameter;
            return 0;
        }
        const Handle module = find(directory + L"\\" + name);
        error = module ? 0 : kModuleNotFound;
        return module;
    }
    Handle loadLibrary(const std::wstring& file) override {
        asked.push_back(file);
        return find(file);
    }
    std::wstring systemDirectory() override { return directory; }

    Handle find(const std::wstring& file) const {
        const auto found = files.find(file);
        return found == files.end() ? 0 : 0x1000 + std::distance(files.begin(), found);
    }
};

TEST(SystemLibrary, ComesFromTheSystemDirectoryByTheSearchFlagAndIsLoadedOnce) {
    SimLoader loader;
    loader.files = {L"C:\\Windows\\system32\\shcore", L"shcore"};
    SystemLibrary shcore("shcore");
    const Handle module = shcore.load(loader);
    EXPECT_EQ(module, loader.find(L"C:\\Windows\\system32\\shcore"));
    EXPECT_EQ(shcore.load(loader), module);
    EXPECT_EQ(loader.asked, std::vector<std::wstring>{L"shcore"});
}

TEST(SystemLibrary, WithoutTheSearchFlagsTheFullPathInTheSystemDirectoryIsLoaded) {
    SimLoader loader;
    loader.knowsSearchFlags = false;
    loader.files = {L"C:\\Windows\\system32\\dwmapi", L"dwmapi"};
    SystemLibrary dwmapi("dwmapi");
    EXPECT_EQ(dwmapi.load(loader), loader.find(L"C:\\Windows\\system32\\dwmapi"));
    EXPECT_EQ(loader.asked,
              (std::vector<std::wstring>{L"dwmapi", L"C:\\Windows\\system32\\dwmapi"}));
}

// A file of that name beside the executable is never loaded, whatever the system answers.
TEST(SystemLibrary, NeverByTheBareNameAndAMissingLibraryIsAskedForOnce) {
    SimLoader withFlags;
    withFlags.files = {L"shcore"};
    SimLoader withoutFlags = withFlags;
    withoutFlags.knowsSearchFlags = false;
    SimLoader withoutDirectory = withoutFlags;
    withoutDirectory.directory.clear();

    for (SimLoader* loader : {&withFlags, &withoutFlags, &withoutDirectory}) {
        SystemLibrary shcore("shcore");
        EXPECT_EQ(shcore.load(*loader), 0u);
        EXPECT_EQ(shcore.load(*loader), 0u);
        ASSERT_FALSE(loader->asked.empty());
        EXPECT_EQ(loader->asked.front(), L"shcore");
        for (std::size_t i = 1; i < loader->asked.size(); ++i) {
            EXPECT_EQ(loader->asked[i].rfind(L"C:\\Windows\\system32\\", 0), 0u)
                << "asked for " << loader->asked[i];
        }
    }
    EXPECT_EQ(withFlags.asked.size(), 1u);
    EXPECT_EQ(withoutFlags.asked.size(), 2u);
    EXPECT_EQ(withoutDirectory.asked.size(), 1u);
}

}  // namespace
}  // namespace quellon
