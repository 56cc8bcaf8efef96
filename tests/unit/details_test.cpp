#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

// Every test ends by checking that the click gave back each device context and handle.
struct NodeClick : test::FrmMainFixture {
    void SetUp() override {
        trv.addTopLevel(L"DesktopWindow");
        test::SimProcess process;
        process.id = 1234;
        process.modulePath = L"C:\\WINDOWS\\notepad.exe";
        desktop.processes.push_back(process);
    }
    void TearDown() override {
        EXPECT_EQ(desktop.screen.openDeviceContexts(), 0);
        EXPECT_EQ(desktop.openKernelHandles(), 0);
    }

    Hwnd window(Hwnd handle, std::wstring className, std::uint32_t processId = 1234) {
        test::WindowSpec spec;
        spec.handle = handle;
        spec.className = std::move(className);
        spec.processId = processId;
        return desktop.create(spec);
    }
    Node entry(const std::wstring& key) { return trv.addChild(desktopNode(), key, key, 1); }
    Node entry(Hwnd handle) { return entry(nodeKey(handle)); }
};

TEST_F(NodeClick, WritesTheFiveLinesAndFlashesTheClientAreaOnce) {
    const Node node = entry(window(255, L"Notepad"));
    std::vector<int> openDCsWhileEventsRun;
    form.onDoEvents = [&] { openDCsWhileEventsRun.push_back(desktop.screen.openDeviceContexts()); };

    frm.trvw_NodeClick(node);

    EXPECT_EQ(form.txtInf,
              L"Fensterhandle: 255  (&HFF)\r\n"
              L"Fensterklasse: Notepad\r\n"
              L"ProcessID:     1234(&H4D2)\r\n"
              L"Modul:         C:\\WINDOWS\\notepad.exe\r\n"
              L"Größe:         100 x 60 Pixel( 1500 x 900 Twips)");
    EXPECT_TRUE(desktop.messages.empty());
    ASSERT_EQ(desktop.screen.inversions.size(), 2u);
    EXPECT_NE(desktop.screen.inversions[0].first, Handle{0});
    EXPECT_EQ(desktop.screen.inversions[1].first, desktop.screen.inversions[0].first);
    EXPECT_EQ(desktop.screen.inversions[1].second.right, 100);
    EXPECT_EQ(desktop.screen.inversions[1].second.bottom, 60);
    EXPECT_EQ(desktop.screen.sleptMilliseconds, 200u);
    // The context is given back between the second inversion and the last events.
    EXPECT_EQ(openDCsWhileEventsRun, (std::vector<int>{1, 0}));
}

TEST_F(NodeClick, DesktopEntryChangesNothing) {
    form.txtInf = L"before";
    frm.trvw_NodeClick(desktopNode());
    EXPECT_EQ(form.txtInf, L"before");
    EXPECT_TRUE(desktop.screen.inversions.empty());
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(NodeClick, NegativeNumbersShowTheirTwosComplementInHexadecimal) {
    frm.trvw_NodeClick(entry(window(-123456, L"Edit", 0xFFFFFFFB)));
    EXPECT_EQ(form.txtInf.substr(0, form.txtInf.find(L"Modul")),
              L"Fensterhandle: -123456  (&HFFFE1DC0)\r\n"
              L"Fensterklasse: Edit\r\n"
              L"ProcessID:     -5(&HFFFFFFFB)\r\n");
}

TEST_F(NodeClick, VanishedWindowShowsTheDefaults) {
    const std::wstring vanished =
        L"Fensterklasse: \r\n"
        L"ProcessID:     0(&H0)\r\n"
        L"Modul:         \r\n"
        L"Größe:         0 x 0 Pixel( 0 x 0 Twips)";
    frm.trvw_NodeClick(entry(4242));
    EXPECT_EQ(form.txtInf, L"Fensterhandle: 4242  (&H1092)\r\n" + vanished);
    // Handle 0 gets the screen's device context, which must be given back as well.
    frm.trvw_NodeClick(entry(0));
    EXPECT_EQ(form.txtInf, L"Fensterhandle: 0  (&H0)\r\n" + vanished);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(NodeClick, KeyThatIsNoNumberIsReportedAtStep30) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"axyz",
         L"Zeile 30: Error 13 (Type mismatch) in Prozedur trvw_NodeClick, Formular "
         L"frmMain"},
        {L"a", L"Zeile 30: Error 13 (Type mismatch) in Prozedur trvw_NodeClick, Formular frmMain"},
        {L"a12x",
         L"Zeile 30: Error 13 (Type mismatch) in Prozedur trvw_NodeClick, Formular "
         L"frmMain"},
        {L"a2147483648",
         L"Zeile 30: Error 6 (Overflow) in Prozedur trvw_NodeClick, Formular frmMain"},
        {L"a-2147483649",
         L"Zeile 30: Error 6 (Overflow) in Prozedur trvw_NodeClick, Formular frmMain"},
    };
    form.txtInf = L"before";
    for (const auto& [key, report] : cases) {
        SCOPED_TRACE(key);
        desktop.messages.clear();
        frm.trvw_NodeClick(entry(key));
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0], report);
    }
    EXPECT_EQ(form.txtInf, L"before");
    EXPECT_TRUE(desktop.screen.inversions.empty());
}

TEST_F(NodeClick, SmallestHandleStillReads) {
    frm.trvw_NodeClick(entry(L"a-2147483648"));
    EXPECT_EQ(form.txtInf.substr(0, form.txtInf.find(L"\r\n")),
              L"Fensterhandle: -2147483648  (&H80000000)");
}

TEST_F(NodeClick, FractionalTwipsUseTheUsersDecimalSeparator) {
    form.tppX = 14.4f;  // 14.3999996185302734375 in single precision
    form.tppY = 12.5f;
    desktop.screen.decimal = L",";
    const Hwnd hwnd = window(300, L"Static");
    desktop.window(hwnd).spec.clientHeight = 7;
    frm.trvw_NodeClick(entry(hwnd));
    EXPECT_EQ(form.txtInf.substr(form.txtInf.rfind(L"\r\n") + 2),
              L"Größe:         100 x 7 Pixel( 1439,99996185303 x 87,5 Twips)");
}

TEST_F(NodeClick, LongClassNameIsCutToTheBufferCapacity) {
    frm.trvw_NodeClick(entry(window(302, std::wstring(300, L'K'))));
    EXPECT_NE(form.txtInf.find(L"Fensterklasse: " + std::wstring(254, L'K') + L"\r\n"),
              std::wstring::npos);
    EXPECT_EQ(form.txtInf.find(std::wstring(255, L'K')), std::wstring::npos);
}

// The class cut in the middle of a surrogate pair loses the half; a path beyond MAX_PATH, which
// some systems cut with the terminator counted in, is shown whole and the last line follows it.
TEST_F(NodeClick, CutSurrogatePairsAndLongPathsLeaveTheFiveLinesWhole) {
    const std::wstring path = L"C:\\" + std::wstring(32000, L'p') + L".exe";
    desktop.processes.front().modulePath = path;
    const std::wstring pair{wchar_t{0xD83D}, wchar_t{0xDE00}};

    frm.trvw_NodeClick(entry(window(308, std::wstring(253, L'K') + pair)));

    EXPECT_EQ(form.txtInf.substr(form.txtInf.find(L"\r\n") + 2),
              L"Fensterklasse: " + std::wstring(253, L'K') + L"\r\n" +
                  L"ProcessID:     1234(&H4D2)\r\n"
                  L"Modul:         " +
                  path + L"\r\nGröße:         100 x 60 Pixel( 1500 x 900 Twips)");
}

TEST_F(NodeClick, FailureDuringTheFlashGivesTheDeviceContextBack) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"InvertRect",
         L"Zeile 170: Error 453 (Can't find DLL entry point InvertRect in user32) in "
         L"Prozedur trvw_NodeClick, Formular frmMain"},
        {"Sleep",
         L"Zeile 190: Error 453 (Can't find DLL entry point Sleep in kernel32) in "
         L"Prozedur trvw_NodeClick, Formular frmMain"},
    };
    const Node node = entry(window(304, L"Static"));
    for (const auto& [function, report] : cases) {
        SCOPED_TRACE(function);
        desktop.missing = {function};
        desktop.messages.clear();
        frm.trvw_NodeClick(node);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0], report);
        EXPECT_EQ(desktop.screen.openDeviceContexts(), 0);
    }
}

TEST_F(NodeClick, FailureBeforeTheTextIsWrittenKeepsTheOldTextAndFlashesNothing) {
    form.txtInf = L"before";
    form.failing.insert("twipsPerPixel");
    frm.trvw_NodeClick(entry(window(306, L"Static")));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0],
              L"Zeile 140: Error 5 (Invalid procedure call or argument) in Prozedur "
              L"trvw_NodeClick, Formular frmMain");
    EXPECT_EQ(form.txtInf, L"before");
    EXPECT_TRUE(desktop.screen.inversions.empty());
}

TEST_F(NodeClick, TreeRebuiltByEventsDuringTheFlashDisturbsNothing) {
    const Node first = entry(window(400, L"First"));
    const Hwnd second = window(402, L"Second");
    bool nested = false;
    form.onDoEvents = [&] {
        if (nested) return;
        nested = true;
        // What a drag from the probe does meanwhile: a new tree, then a click on it.
        trv.clear();
        trv.addTopLevel(L"DesktopWindow");
        frm.trvw_NodeClick(entry(second));
    };

    frm.trvw_NodeClick(first);

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(form.txtInf.substr(0, form.txtInf.find(L"\r\n")), L"Fensterhandle: 402  (&H192)");
    EXPECT_EQ(desktop.screen.inversions.size(), 4u);
    EXPECT_EQ(desktop.screen.sleptMilliseconds, 400u);
}

}  // namespace
}  // namespace quellon
