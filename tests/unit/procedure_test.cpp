#include <gtest/gtest.h>

#include "platform/Procedure.h"
#include "tests/support/SimDesktop.h"

namespace quellon {
namespace {

TEST(NumberedSteps, ReportsTheFailedStepAndContinuesAtTheExit) {
    test::SimDesktop desktop;
    int reached = 0;
    runNumbered(desktop, {L"GetEntry", kFormFrmMain}, [&](int& line) {
        line = 20;
        reached = 20;
        line = 30;
        raise(ErrorNumber::ElementNotFound);
        reached = 40;
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

TEST(SkipOnError, SwallowsTheFailureAndLetsTheNextStatementRun) {
    int value = 1;
    skipOnError([&] { raise(ErrorNumber::InvalidCall); });
    skipOnError([&] { value = 2; });
    EXPECT_EQ(value, 2);
}

}  // namespace
}  // namespace quellon
