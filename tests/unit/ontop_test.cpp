#include <gtest/gtest.h>

#include <vector>

#include "app/frmMain.h"
#include "modules/mdlTrans.h"
#include "tests/support/FakeForm.h"
#include "tests/support/MemoryTree.h"
#include "tests/support/SimDesktop.h"
#include "tests/support/SimOutline.h"

namespace quellon {
namespace {

constexpr std::int32_t WS_EX_TOPMOST = 0x8;
constexpr std::int32_t WS_EX_WINDOWEDGE = 0x100;
constexpr std::int32_t WS_EX_CONTROLPARENT = 0x10000;
constexpr std::int32_t kOtherStyles = WS_EX_TOPMOST | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

class OnTopAndTransparencyTest : public ::testing::Test {
protected:
    OnTopAndTransparencyTest() {
        form_.handle = api_.create({.text = L"Tarnwick W_Quellon", .className = L"ThunderForm"});
    }

    test::SimWindow& mainWindow() { return api_.window(form_.handle); }

    void clickChkTop(int value) {
        form_.chkTop = value;
        frm_.chkTop_Click();
    }

    test::SimDesktop api_;
    test::MemoryTree widget_;
    Nodes trv_{widget_};
    test::FakeForm form_;
    test::SimOutline outline_{api_};
    FrmMain frm_{api_.platform(), form_, trv_, outline_.geometry, outline_.outline};
};

// --- always on top ---

TEST_F(OnTopAndTransparencyTest, CheckingMakesTheWindowTopmostAndAnyOtherValueEndsIt) {
    const Hwnd hwnd = form_.handle;
    clickChkTop(1);
    EXPECT_TRUE(mainWindow().topmost);
    clickChkTop(0);
    EXPECT_FALSE(mainWindow().topmost);
    clickChkTop(1);
    clickChkTop(2);  // greyed
    EXPECT_FALSE(mainWindow().topmost);

    // Never moved or resized: the coordinates are ignored under SWP_NOMOVE | SWP_NOSIZE.
    const std::vector<test::WindowPosCall> expected = {
        {hwnd, -1, 0, 0, 0, 0, 3},
        {hwnd, -2, 0, 0, 0, 0, 3},
        {hwnd, -1, 0, 0, 0, 0, 3},
        {hwnd, -2, 0, 0, 0, 0, 3},
    };
    EXPECT_EQ(api_.screen.windowPosCalls, expected);
    EXPECT_TRUE(api_.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, AFailingChkTopStepIsReportedWithItsLabelAndChangesNothing) {
    struct Case {
        const char* failing;
        int value;
        const wchar_t* report;
    };
    const Case cases[] = {
        {"chkTop", 1,
         L"Zeile 20: Error 5 (Invalid procedure call or argument) in Prozedur chkTop_Click, "
         L"Formular frmMain"},
        {"hwnd", 1,
         L"Zeile 30: Error 5 (Invalid procedure call or argument) in Prozedur chkTop_Click, "
         L"Formular frmMain"},
        {"hwnd", 0,
         L"Zeile 50: Error 5 (Invalid procedure call or argument) in Prozedur chkTop_Click, "
         L"Formular frmMain"},
    };
    for (const Case& c : cases) {
        api_.messages.clear();
        form_.failing = {c.failing};
        mainWindow().topmost = c.value != 1;
        clickChkTop(c.value);
        EXPECT_EQ(api_.messages, std::vector<std::wstring>{c.report});
        EXPECT_EQ(mainWindow().topmost, c.value != 1) << "z-order changed";
    }
    EXPECT_TRUE(api_.screen.windowPosCalls.empty());
}

TEST_F(OnTopAndTransparencyTest, AMissingSetWindowPosIsReportedAtTheStepThatCallsIt) {
    api_.missing = {"SetWindowPos"};
    clickChkTop(0);
    clickChkTop(1);
    const std::wstring tail =
        L": Error 453 (Can't find DLL entry point SetWindowPos in user32) in Prozedur "
        L"chkTop_Click, Formular frmMain";
    EXPECT_EQ(api_.messages, (std::vector<std::wstring>{L"Zeile 50" + tail, L"Zeile 30" + tail}));
}

TEST_F(OnTopAndTransparencyTest, ASetWindowPosThatMerelyFailsShowsNothing) {
    form_.handle = 0x7777;  // no such window
    clickChkTop(1);
    EXPECT_EQ(api_.screen.windowPosCalls.size(), 1u);
    EXPECT_TRUE(api_.messages.empty());
}

// --- transparency buttons ---

TEST_F(OnTopAndTransparencyTest, EachButtonAppliesItsOwnOpacityWhateverWasSetBefore) {
    frm_.Command1_Click(2);
    EXPECT_EQ(mainWindow().alpha, 120);
    frm_.Command1_Click(1);
    EXPECT_EQ(mainWindow().alpha, 200);
    frm_.Command1_Click(1);
    EXPECT_EQ(mainWindow().alpha, 200);
    EXPECT_TRUE(mainWindow().exStyle & win::kWsExLayered);

    frm_.Command1_Click(0);
    EXPECT_FALSE(mainWindow().exStyle & win::kWsExLayered);
    frm_.Command1_Click(0);  // already opaque
    EXPECT_FALSE(mainWindow().exStyle & win::kWsExLayered);
    EXPECT_TRUE(api_.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, RemovingClearsTheStyleBeforeTheOpacityCall) {
    frm_.Command1_Click(2);
    std::int32_t styleAtOpacityCall = -1;
    api_.beforeCall = [&](const std::string& function, Hwnd) {
        if (function == "SetLayeredWindowAttributes") styleAtOpacityCall = mainWindow().exStyle;
    };
    frm_.Command1_Click(0);
    EXPECT_EQ(styleAtOpacityCall, 0);
    // The zero opacity finds no layered window, so it is never drawn invisible.
    EXPECT_EQ(mainWindow().alpha, 120);
}

TEST_F(OnTopAndTransparencyTest, AnUnknownIndexDoesNothing) {
    for (std::int16_t index : {std::int16_t{3}, std::int16_t{-1}, std::int16_t{32767}}) {
        frm_.Command1_Click(index);
    }
    EXPECT_TRUE(api_.calls.empty());
    EXPECT_EQ(mainWindow().exStyle, 0);
}

TEST_F(OnTopAndTransparencyTest, AnUnreadableHandleSkipsTheButtonSilently) {
    form_.failing = {"hwnd"};
    for (std::int16_t index = 0; index < 3; ++index) frm_.Command1_Click(index);
    EXPECT_TRUE(api_.calls.empty());
    EXPECT_TRUE(api_.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, TopmostAndTransparencyAreIndependent) {
    clickChkTop(1);
    frm_.Command1_Click(1);
    EXPECT_TRUE(mainWindow().topmost);
    clickChkTop(0);
    EXPECT_EQ(mainWindow().alpha, 200);
    EXPECT_TRUE(mainWindow().exStyle & win::kWsExLayered);
}

// --- the transparency routines ---

TEST_F(OnTopAndTransparencyTest, OnlyTheLayeredBitOfTheExtendedStyleChanges) {
    mainWindow().exStyle = kOtherStyles;
    mdlTrans::SetTransparency(api_.screen, form_.handle, 200);
    EXPECT_EQ(mainWindow().exStyle, kOtherStyles | win::kWsExLayered);
    mdlTrans::RemoveTransparency(api_.screen, form_.handle);
    EXPECT_EQ(mainWindow().exStyle, kOtherStyles);
}

TEST_F(OnTopAndTransparencyTest, WithoutLayeredWindowsTheStyleIsStillSetAndClearedSilently) {
    api_.missing = {"SetLayeredWindowAttributes"};
    mainWindow().exStyle = WS_EX_WINDOWEDGE;
    for (std::int16_t index : {std::int16_t{1}, std::int16_t{2}}) {
        frm_.Command1_Click(index);
        EXPECT_EQ(mainWindow().exStyle, WS_EX_WINDOWEDGE | win::kWsExLayered);
        EXPECT_EQ(mainWindow().alpha, 255);
        frm_.Command1_Click(0);
        EXPECT_EQ(mainWindow().exStyle, WS_EX_WINDOWEDGE);
    }
    EXPECT_EQ(api_.calls["SetLayeredWindowAttributes"], 4);
    EXPECT_TRUE(api_.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, AStyleThatCannotBeReadIsNotOverwritten) {
    // Writing the layered bit alone would wipe the window's other extended styles.
    mainWindow().exStyle = kOtherStyles;
    api_.missing = {"GetWindowLongW"};
    mdlTrans::SetTransparency(api_.screen, form_.handle, 120);
    mdlTrans::RemoveTransparency(api_.screen, form_.handle);
    EXPECT_EQ(mainWindow().exStyle, kOtherStyles);
    EXPECT_EQ(api_.calls["SetWindowLongW"], 0);
    // The remaining step still runs.
    EXPECT_EQ(api_.calls["SetLayeredWindowAttributes"], 2);
    EXPECT_TRUE(api_.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, AFailedStyleWriteStillLetsTheOpacityCallRun) {
    api_.missing = {"SetWindowLongW"};
    mdlTrans::SetTransparency(api_.screen, form_.handle, 120);
    EXPECT_EQ(api_.calls["SetLayeredWindowAttributes"], 1);
    EXPECT_EQ(mainWindow().exStyle, 0);
    EXPECT_TRUE(api_.messages.empty());
}

}  // namespace
}  // namespace quellon
