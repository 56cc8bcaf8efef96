#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "modules/mdlProcessesGeneral.h"
#include "tests/support/SimDesktop.h"

namespace quellon {
namespace {

using mdlProcessesGeneral::GetProcInfo;

constexpr std::uint32_t kWin98 = 0xC0000A04;

// Every test ends by checking that no handle outlived the lookup.
struct ProcessLookup : ::testing::Test {
    test::SimDesktop desktop;

    void TearDown() override { EXPECT_EQ(desktop.openKernelHandles(), 0); }

    void addProcess(std::uint32_t id, std::string snapshotName, std::wstring modulePath = L"") {
        test::SimProcess process;
        process.id = id;
        process.snapshotName = std::move(snapshotName);
        process.modulePath = std::move(modulePath);
        desktop.processes.push_back(process);
    }
    test::SimProcess& lastProcess() { return desktop.processes.back(); }

    std::wstring lookUp(std::uint32_t processId) {
        return GetProcInfo(desktop, desktop, processId);
    }
    // The lookup found nothing and showed this report alone.
    void expectOnlyReport(std::uint32_t processId, const std::wstring& report) {
        EXPECT_EQ(lookUp(processId), L"");
        EXPECT_EQ(desktop.messages, std::vector<std::wstring>{report});
    }
};

struct Family95 : ProcessLookup {
    void SetUp() override {
        desktop.version = kWin98;
        addProcess(4, "KERNEL32.DLL");
        addProcess(8, "C:\\WINDOWS\\EXPLORER.EXE");
        addProcess(12, "NOTEPAD.EXE");
        addProcess(16, "C:\\WINDOWS\\");
        addProcess(20, "C:\\Programme\\A B\\tool.exe");
    }
};

TEST_F(Family95, NameIsWhatFollowsTheLastBackslash) {
    EXPECT_EQ(lookUp(8), L"EXPLORER.EXE");
    EXPECT_EQ(lookUp(20), L"tool.exe");
    EXPECT_EQ(lookUp(12), L"NOTEPAD.EXE");
    EXPECT_EQ(lookUp(16), L"");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Family95, FirstMatchEndsTheSearchAndTheSnapshotIsClosed) {
    addProcess(8, "SECOND.EXE");
    EXPECT_EQ(lookUp(8), L"EXPLORER.EXE");
    EXPECT_EQ(desktop.calls["Process32Next"], 1);
    EXPECT_EQ(desktop.calls["CloseHandle"], 1);
}

TEST_F(Family95, UnknownIdentifierReadsTheWholeSnapshot) {
    EXPECT_EQ(lookUp(999), L"");
    EXPECT_EQ(desktop.calls["Process32Next"], static_cast<int>(desktop.processes.size()));
    EXPECT_EQ(desktop.calls["CloseHandle"], 1);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Family95, WithoutSnapshotTheEmptyRecordIsComparedOnce) {
    desktop.snapshotFails = true;
    EXPECT_EQ(lookUp(0), L"");
    EXPECT_EQ(desktop.calls["Process32Next"], 0);
    EXPECT_EQ(lookUp(8), L"");
    EXPECT_EQ(desktop.calls["Process32Next"], 1);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Family95, NameConvertedFromTheActiveCodePage) {
    addProcess(24,
               "C:\\Programme\\Gr\xF6\xDF"
               "e.exe");
    EXPECT_EQ(lookUp(24),
              L"Gr\u00F6\u00DF"
              L"e.exe");
}

TEST_F(Family95, NameWithoutTerminatorIsReportedAtStep100) {
    addProcess(24, std::string(kMaxPath, 'N'));
    lastProcess().snapshotNameTerminated = false;
    expectOnlyReport(24,
                     L"Zeile 100: Error 5 (Invalid procedure call or argument) in Prozedur "
                     L"GetProcessName95, Modul mdlProcessesGeneral");
}

TEST_F(Family95, FailureWhileTheSnapshotIsOpenStillClosesIt) {
    desktop.missing.insert("Process32Next");
    expectOnlyReport(
        12,
        L"Zeile 160: Error 453 (Can't find DLL entry point Process32Next in kernel32) in "
        L"Prozedur GetProcessName95, Modul mdlProcessesGeneral");
    EXPECT_EQ(desktop.closedHandles.size(), 1u);
}

struct FamilyNT : ProcessLookup {
    void SetUp() override {
        addProcess(8, "EXPLORER.EXE", L"C:\\WINDOWS\\explorer.exe");
        addProcess(12, "APP.EXE", L"  C:\\Program Files\\App\\app.exe  ");
    }
};

TEST_F(FamilyNT, FullPathOfTheFirstModuleWithoutSurroundingBlanks) {
    EXPECT_EQ(lookUp(8), L"C:\\WINDOWS\\explorer.exe");
    EXPECT_EQ(lookUp(12), L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(desktop.calls["CloseHandle"], 2);
    EXPECT_EQ(desktop.calls["QueryFullProcessImageNameW"], 0);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FamilyNT, PathsAroundAndFarBeyondMaxPathAreReadWhole) {
    for (std::size_t length : {259u, 260u, 261u, 32767u}) {
        SCOPED_TRACE(length);
        const std::wstring path = L"C:\\" + std::wstring(length - 9, L'd') + L"\\a.exe";
        lastProcess().modulePath = path;
        EXPECT_EQ(lookUp(12), path);
        lastProcess().openable = false;  // the limited query reads it the same
        EXPECT_EQ(lookUp(12), path);
        lastProcess().openable = true;
    }
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FamilyNT, EndedProcessClosesHandleZeroAndGivesNothing) {
    EXPECT_EQ(lookUp(999), L"");
    ASSERT_FALSE(desktop.closedHandles.empty());
    EXPECT_EQ(desktop.closedHandles.front(), Handle{0});
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FamilyNT, LimitedQueryNamesWhatTheFullRightsCannotRead) {
    lastProcess().openable = false;
    EXPECT_EQ(lookUp(12), L"C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(desktop.closedHandles.front(), Handle{0});

    desktop.processes.front().modulesReadable = false;
    EXPECT_EQ(lookUp(8), L"C:\\WINDOWS\\explorer.exe");
    EXPECT_EQ(desktop.calls["QueryFullProcessImageNameW"], 2);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FamilyNT, LimitedQueryRefusedOrMissingGivesNothingAndNoReport) {
    lastProcess().openable = false;
    lastProcess().openableLimited = false;
    EXPECT_EQ(lookUp(12), L"");

    lastProcess().openableLimited = true;
    desktop.missing.insert("QueryFullProcessImageNameW");
    EXPECT_EQ(lookUp(12), L"");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FamilyNT, MissingProcessStatusFunctionIsReportedUnderItsStep) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"EnumProcessModules",
         L"Zeile 40: Error 453 (Can't find DLL entry point "
         L"EnumProcessModules in PSAPI.DLL) in Prozedur GetProcessNameNT, "
         L"Modul mdlProcessesGeneral"},
        {"GetModuleFileNameExW",
         L"Zeile 70: Error 453 (Can't find DLL entry point "
         L"GetModuleFileNameExW in PSAPI.DLL) in Prozedur "
         L"GetProcessNameNT, Modul mdlProcessesGeneral"},
    };
    for (const auto& [function, report] : cases) {
        SCOPED_TRACE(function);
        desktop.messages.clear();
        desktop.missing = {function};
        const std::wstring result = lookUp(8);
        EXPECT_EQ(result.find_first_not_of(L' '), std::wstring::npos);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0], report);
        EXPECT_EQ(desktop.openKernelHandles(), 0);
    }
}

TEST_F(ProcessLookup, FailingFamilyTestIsReportedByTheEntryPoint) {
    desktop.missing.insert("GetVersion");
    expectOnlyReport(8,
                     L"Zeile 20: Error 453 (Can't find DLL entry point GetVersion in kernel32) in "
                     L"Prozedur GetProcInfo, Modul mdlProcessesGeneral");
}

TEST_F(FamilyNT, FamilyIsAskedAtEveryCall) {
    EXPECT_EQ(lookUp(8), L"C:\\WINDOWS\\explorer.exe");
    desktop.version = kWin98;
    EXPECT_EQ(lookUp(8), L"EXPLORER.EXE");
    EXPECT_EQ(desktop.calls["GetVersion"], 2);
}

}  // namespace
}  // namespace quellon
