#include <gtest/gtest.h>

#include "platform/Procedure.h"
#include "tests/support/SimDesktop.h"

namespace quellon {
namespace {

// Owners as the tool's procedures give them.
constexpr std::wstring_view kFormFrmMain = L"Formular frmMain";
constexpr std::wstring_view kModuleProcesses = L"Modul mdlProcessesGeneral";

TEST(NumberedSteps, ReportsTheFailedStepAndContinuesAtTheExit) {
    test::SimDesktop desktop;
    int reached = 0;
    runNumbered(desktop, {L"GetEntry", kFormFrmMain}, [&](int& line) {
        line = 20;
        reached = 20;
        line = 30;
        raise(ErrorNumber::ElementNotFound);
    });
    EXPECT_EQ(reached, 20);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0],
              L"Zeile 30: Error 35601 (Element not found) in Prozedur GetEntry, Formular frmMain");
}

TEST(NumberedSteps, ModuleProceduresNameTheirModule) {
    test::SimDesktop desktop;
    desktop.missing.insert("GetVersion");
    runNumbered(desktop, {L"GetProcInfo", kModuleProcesses}, [&](int& line) {
        line = 20;
        static_cast<void>(desktop.getVersion());
    });
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0],
              L"Zeile 20: Error 453 (Can't find DLL entry point GetVersion in kernel32) in "
              L"Prozedur GetProcInfo, Modul mdlProcessesGeneral");
}

TEST(NumberedSteps, ExhaustedMemoryIsReportedLikeAnyOtherError) {
    test::SimDesktop desktop;
    runNumbered(desktop, {L"r1_MouseMove", kFormFrmMain}, [&](int& line) {
        line = 130;
        throw std::bad_alloc();
    });
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0],
              L"Zeile 130: Error 7 (Out of memory) in Prozedur r1_MouseMove, Formular frmMain");
}

TEST(NumberedSteps, ASuccessfulBodyShowsNothing) {
    test::SimDesktop desktop;
    runNumbered(desktop, {L"x", kFormFrmMain}, [&](int& line) { line = 10; });
    EXPECT_TRUE(desktop.messages.empty());
}

// An error that no numbered step took (one the window's stub caught, one that ended a dump) is
// named as the numbered reports name it.
TEST(ErrorText, NamesTheNumberAndTheDescription) {
    EXPECT_EQ(errorText(entryPointNotFound("Sleep", "kernel32")),
              L"Error 453 (Can't find DLL entry point Sleep in kernel32)");
    EXPECT_EQ(errorText(runtimeError(ErrorNumber::KeyNotUnique)),
              L"Error 35602 (Key is not unique in collection)");
}

TEST(SkipOnError, SwallowsTheFailureAndLetsTheNextStatementRun) {
    int value = 1;
    skipOnError([&] { raise(ErrorNumber::InvalidCall); });
    skipOnError([&] { value = 2; });
    EXPECT_EQ(value, 2);
}

}  // namespace
}  // namespace quellon
