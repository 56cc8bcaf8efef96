#include <gtest/gtest.h>

#include <vector>

#include "modules/mdlTrans.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

constexpr std::int32_t WS_EX_TOPMOST = 0x8;
constexpr std::int32_t WS_EX_WINDOWEDGE = 0x100;
constexpr std::int32_t WS_EX_CONTROLPARENT = 0x10000;
constexpr std::int32_t kOtherStyles = WS_EX_TOPMOST | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

struct OnTopAndTransparencyTest : test::FrmMainFixture {
    OnTopAndTransparencyTest() {
        form.handle = desktop.create({.text = L"Tarnwick W_Quellon", .className = L"ThunderForm"});
    }

    test::SimWindow& mainWindow() { return desktop.window(form.handle); }

    void clickChkTop(int value) {
        form.chkTop = value;
        frm.chkTop_Click();
    }
};

// --- always on top ---

TEST_F(OnTopAndTransparencyTest, CheckingMakesTheWindowTopmostAndAnyOtherValueEndsIt) {
    const Hwnd hwnd = form.handle;
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
    EXPECT_EQ(desktop.screen.windowPosCalls, expected);
    EXPECT_TRUE(desktop.messages.empty());
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
        desktop.messages.clear();
        form.failing = {c.failing};
        mainWindow().topmost = c.value != 1;
        clickChkTop(c.value);
        EXPECT_EQ(desktop.messages, std::vector<std::wstring>{c.report});
        EXPECT_EQ(mainWindow().topmost, c.value != 1) << "z-order changed";
    }
    EXPECT_TRUE(desktop.screen.windowPosCalls.empty());
}

TEST_F(OnTopAndTransparencyTest, AMissingSetWindowPosIsReportedAtTheStepThatCallsIt) {
    desktop.missing = {"SetWindowPos"};
    clickChkTop(0);
    clickChkTop(1);
    const std::wstring tail =
        L": Error 453 (Can't find DLL entry point SetWindowPos in user32) in Prozedur "
        L"chkTop_Click, Formular frmMain";
    EXPECT_EQ(desktop.messages,
              (std::vector<std::wstring>{L"Zeile 50" + tail, L"Zeile 30" + tail}));
}

TEST_F(OnTopAndTransparencyTest, ASetWindowPosThatMerelyFailsShowsNothing) {
    form.handle = 0x7777;  // no such window
    clickChkTop(1);
    EXPECT_EQ(desktop.screen.windowPosCalls.size(), 1u);
    EXPECT_TRUE(desktop.messages.empty());
}

// --- transparency buttons ---

TEST_F(OnTopAndTransparencyTest, EachButtonAppliesItsOwnOpacityWhateverWasSetBefore) {
    frm.Command1_Click(2);
    EXPECT_EQ(mainWindow().alpha, 120);
    frm.Command1_Click(1);
    EXPECT_EQ(mainWindow().alpha, 200);
    frm.Command1_Click(1);
    EXPECT_EQ(mainWindow().alpha, 200);
    EXPECT_TRUE(mainWindow().exStyle & win::kWsExLayered);

    frm.Command1_Click(0);
    EXPECT_FALSE(mainWindow().exStyle & win::kWsExLayered);
    frm.Command1_Click(0);  // already opaque
    EXPECT_FALSE(mainWindow().exStyle & win::kWsExLayered);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, RemovingClearsTheStyleBeforeTheOpacityCall) {
    frm.Command1_Click(2);
    std::int32_t styleAtOpacityCall = -1;
    desktop.beforeCall = [&](const std::string& function, Hwnd) {
        if (function == "SetLayeredWindowAttributes") styleAtOpacityCall = mainWindow().exStyle;
    };
    frm.Command1_Click(0);
    EXPECT_EQ(styleAtOpacityCall, 0);
    // The zero opacity finds no layered window, so it is never drawn invisible.
    EXPECT_EQ(mainWindow().alpha, 120);
}

TEST_F(OnTopAndTransparencyTest, AnUnknownIndexDoesNothing) {
    for (std::int16_t index : {std::int16_t{3}, std::int16_t{-1}, std::int16_t{32767}}) {
        frm.Command1_Click(index);
    }
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(mainWindow().exStyle, 0);
}

TEST_F(OnTopAndTransparencyTest, AnUnreadableHandleSkipsTheButtonSilently) {
    form.failing = {"hwnd"};
    for (std::int16_t index = 0; index < 3; ++index) frm.Command1_Click(index);
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, TopmostAndTransparencyAreIndependent) {
    clickChkTop(1);
    frm.Command1_Click(1);
    EXPECT_TRUE(mainWindow().topmost);
    clickChkTop(0);
    EXPECT_EQ(mainWindow().alpha, 200);
    EXPECT_TRUE(mainWindow().exStyle & win::kWsExLayered);
}

// --- the transparency routines ---

TEST_F(OnTopAndTransparencyTest, OnlyTheLayeredBitOfTheExtendedStyleChanges) {
    mainWindow().exStyle = kOtherStyles;
    mdlTrans::SetTransparency(desktop.screen, form.handle, 200);
    EXPECT_EQ(mainWindow().exStyle, kOtherStyles | win::kWsExLayered);
    mdlTrans::RemoveTransparency(desktop.screen, form.handle);
    EXPECT_EQ(mainWindow().exStyle, kOtherStyles);
}

TEST_F(OnTopAndTransparencyTest, WithoutLayeredWindowsTheStyleIsStillSetAndClearedSilently) {
    desktop.missing = {"SetLayeredWindowAttributes"};
    mainWindow().exStyle = WS_EX_WINDOWEDGE;
    for (std::int16_t index : {std::int16_t{1}, std::int16_t{2}}) {
        frm.Command1_Click(index);
        EXPECT_EQ(mainWindow().exStyle, WS_EX_WINDOWEDGE | win::kWsExLayered);
        EXPECT_EQ(mainWindow().alpha, 255);
        frm.Command1_Click(0);
        EXPECT_EQ(mainWindow().exStyle, WS_EX_WINDOWEDGE);
    }
    EXPECT_EQ(desktop.calls["SetLayeredWindowAttributes"], 4);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, AStyleThatCannotBeReadIsNotOverwritten) {
    // Writing the layered bit alone would wipe the window's other extended styles.
    mainWindow().exStyle = kOtherStyles;
    desktop.missing = {"GetWindowLongW"};
    mdlTrans::SetTransparency(desktop.screen, form.handle, 120);
    mdlTrans::RemoveTransparency(desktop.screen, form.handle);
    EXPECT_EQ(mainWindow().exStyle, kOtherStyles);
    EXPECT_EQ(desktop.calls["SetWindowLongW"], 0);
    // The remaining step still runs.
    EXPECT_EQ(desktop.calls["SetLayeredWindowAttributes"], 2);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(OnTopAndTransparencyTest, AFailedStyleWriteStillLetsTheOpacityCallRun) {
    desktop.missing = {"SetWindowLongW"};
    mdlTrans::SetTransparency(desktop.screen, form.handle, 120);
    EXPECT_EQ(desktop.calls["SetLayeredWindowAttributes"], 1);
    EXPECT_EQ(mainWindow().exStyle, 0);
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quellon
