// The tree as text and the dump of a window: the walk of a pick and the details of a click, with
// their reports, written in the text form without an outline or a flash; and the pick by handle
// that a pasted handle and the command line make.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/TreeText.h"
#include "app/WindowDump.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

struct TextTest : test::FrmMainFixture {
    static constexpr const wchar_t* kModule = L"C:\\Programme\\Beispiel.exe";

    TextTest() {
        test::SimProcess process;
        process.id = 100;
        process.modulePath = kModule;
        desktop.processes.push_back(process);
    }

    Hwnd window(Hwnd handle, const std::wstring& text, const std::wstring& className,
                Hwnd parent = 0, bool visible = true, Hwnd owner = 0) {
        return desktop.create({.parent = parent,
                               .owner = owner,
                               .text = text,
                               .className = className,
                               .visible = visible,
                               .handle = handle});
    }

    std::optional<std::wstring> dump(WindowChoice choice) {
        return dumpWindow(
            desktop.platform(), outline.geometry, [this] { return form.tppX; }, choice);
    }

    // What the details box shows after a pick of the window and a click on its entry.
    std::wstring detailsBoxOf(Hwnd target) {
        frm.pickWindow(target);
        frm.trvw_NodeClick(trv.find(nodeKey(target)));
        return form.txtInf;
    }

    // The dump's lines up to the empty one that ends the tree.
    static std::vector<std::wstring> treeLines(const std::wstring& dumped) {
        std::vector<std::wstring> lines;
        for (std::size_t at = 0, end;
             (end = dumped.find(L"\r\n", at)) != at && end != std::wstring::npos; at = end + 2) {
            lines.push_back(dumped.substr(at, end - at));
        }
        return lines;
    }
};

TEST_F(TextTest, ADumpIsTheTreeByDepthWithHandlesAndHiddenWindowsThenTheDetailsOfTheBox) {
    // The owner heads the chain; it is hidden, as is what sits in a hidden window.
    const Hwnd owner = window(0x100, L"Besitzer", L"Owner", 0, false);
    const Hwnd frame = window(0x200, L"Rahmen", L"Frame", 0, true, owner);
    const Hwnd a = window(0x300, L"", L"A", frame);
    window(0x302, L"", L"A1", a, false);
    const Hwnd b = window(0x400, L"", L"B", frame, false);
    window(0x402, L"", L"B1", b);
    window(-123456, L"", L"C", frame);

    const std::optional<std::wstring> dumped = dump(frame);

    // Asked once for each window below the target by the walk, and for the chain's by the text.
    EXPECT_EQ(desktop.calls["IsWindowVisible"], 5 + 2);
    // The dump's own tree: the tool's tree stays empty, and nothing flashes or is outlined.
    EXPECT_EQ(widget.size(), 0u);
    EXPECT_TRUE(desktop.screen.inversions.empty());
    EXPECT_EQ(desktop.screen.sleptMilliseconds, 0u);
    EXPECT_EQ(outline.frames.shows, 0);
    ASSERT_TRUE(dumped);
    EXPECT_EQ(*dumped,
              L"DesktopWindow\r\n"
              L"\t\"Besitzer\"  (Owner)\t&H100\tunsichtbar\r\n"
              L"\t\t\"Rahmen\"  (Frame)\t&H200\r\n"
              L"\t\t\t(A)\t&H300\r\n"
              L"\t\t\t\t(A1)\t&H302\tunsichtbar\r\n"
              L"\t\t\t(B)\t&H400\tunsichtbar\r\n"
              L"\t\t\t\t(B1)\t&H402\tunsichtbar\r\n"
              L"\t\t\t(C)\t&HFFFE1DC0\r\n"
              L"\r\n" +
                  detailsBoxOf(frame) + L"\r\n");
    EXPECT_NE(form.txtInf.find(kModule), std::wstring::npos);
    EXPECT_TRUE(desktop.messages.empty());
}

// A dump of the whole desktop writes no details, so it leaves the screen unasked.
TEST_F(TextTest, TheScreenIsAskedForItsTwipsOnlyWhenTheDetailsAreWritten) {
    const Hwnd frame = window(0x200, L"Rahmen", L"Frame");
    int asked = 0;
    const auto twipsPerPixel = [&] {
        ++asked;
        return form.tppX;
    };
    ASSERT_TRUE(dumpWindow(desktop.platform(), outline.geometry, twipsPerPixel, AllWindows{}));
    EXPECT_EQ(asked, 0);
    const std::optional<std::wstring> dumped =
        dumpWindow(desktop.platform(), outline.geometry, twipsPerPixel, frame);
    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(dumped);
    EXPECT_EQ(dumped->substr(dumped->find(L"\r\n\r\n") + 4), detailsBoxOf(frame) + L"\r\n");
}

TEST_F(TextTest, ControlCharactersBecomePicturesAndTheLongestEntriesStayWhole) {
    // An emoji as the system's texts hold it, a surrogate pair (also where wchar_t is wider).
    const std::wstring emoji{wchar_t{0xD83D}, wchar_t{0xDE00}};
    const Hwnd frame = window(0x100, L"Tab\tZeile\r\nEnde " + emoji + L" Ελληνικά", L"Frame");
    // Cut to 254 characters each: the text between the halves of its emoji, so that one goes.
    window(0x200, std::wstring(253, L'a') + emoji, std::wstring(300, L'K'), frame);
    window(0x300, std::wstring(300, L'x'), std::wstring(300, L'K'), frame);

    const std::vector<std::wstring> lines = treeLines(dump(frame).value_or(L""));

    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1],
              L"\t\"Tab\u2409Zeile\u240D\u240AEnde " + emoji + L" Ελληνικά\"  (Frame)\t&H100");
    const std::wstring classShown = L"(" + std::wstring(254, L'K') + L")";
    EXPECT_EQ(lines[2], L"\t\t\"" + std::wstring(253, L'a') + L"\"  " + classShown + L"\t&H200");
    EXPECT_EQ(lines[3], L"\t\t\"" + std::wstring(254, L'x') + L"\"  " + classShown + L"\t&H300");
    EXPECT_EQ(lines[3].size(), 2u + 514u + 6u);
}

TEST_F(TextTest, AWindowByAPointIsTheOneTheProbeFindsThereOnAnyMonitor) {
    const Hwnd frame = window(0x100, L"", L"Frame");
    const Hwnd button = window(0x200, L"OK", L"Button", frame);
    desktop.pointed = button;

    const std::vector<std::wstring> lines = treeLines(dump(Point{-1500, -20}).value_or(L""));

    EXPECT_EQ(lines, (std::vector<std::wstring>{L"DesktopWindow", L"\t(Frame)\t&H100",
                                                L"\t\t\"OK\"  (Button)\t&H200"}));
    EXPECT_EQ(desktop.askedAt.x, -1500);
    EXPECT_EQ(desktop.askedAt.y, -20);

    desktop.pointed = 0;  // beyond every monitor
    EXPECT_EQ(dump(Point{-99999, 0}), std::nullopt);
}

TEST_F(TextTest, NoWindowOrOneThatGoesWhileItIsReadDumpsNothing) {
    const Hwnd frame = window(0x100, L"", L"Frame");
    window(0x200, L"", L"Child", frame);
    EXPECT_EQ(dump(0x300), std::nullopt);
    EXPECT_EQ(dump(0), std::nullopt);

    before("GetWindow", frame, 1, [&] { desktop.destroy(frame); });
    EXPECT_EQ(dump(frame), std::nullopt);
}

TEST_F(TextTest, AFailedStepIsReportedAsInADragAndTheTreeSoFarIsWritten) {
    const Hwnd frame = window(0x100, L"", L"Frame");
    window(0x200, L"Kind", L"Child", frame);
    desktop.missing = {"GetClassNameW"};

    const std::optional<std::wstring> dumped = dump(frame);

    ASSERT_TRUE(dumped);
    EXPECT_EQ(treeLines(*dumped), (std::vector<std::wstring>{L"DesktopWindow", L"\t\t&H100",
                                                             L"\t\t\"Kind\"  \t&H200"}));
    const RuntimeError missing = entryPointNotFound("GetClassNameW", "user32");
    EXPECT_EQ(desktop.messages,
              (std::vector<std::wstring>{report(60, missing, L"GetEntry"),
                                         report(60, missing, L"GetEntry"),
                                         report(60, missing, L"trvw_NodeClick")}));
}

TEST_F(TextTest, APickedHandleShowsAsTheHotkeyShowsItAndANonWindowChangesNothing) {
    const Hwnd main = window(0x100, L"", L"Main");
    const Hwnd frame = window(0x200, L"", L"Frame");
    window(0x300, L"", L"Inside", frame);
    form.handle = main;

    EXPECT_TRUE(frm.pickWindow(frame));
    const std::wstring picked = L"DesktopWindow\n  *(Frame) [1] +\n    (Inside) [1] +\n";
    EXPECT_EQ(tree(), picked);
    EXPECT_EQ(outline.frames.shown, outlineShape({0, 0, 100, 60}, kOutlineWidth96));

    EXPECT_FALSE(frm.pickWindow(0x400));
    EXPECT_TRUE(frm.pickWindow(main));  // a window, but the tool's own main window
    EXPECT_EQ(tree(), picked);
    EXPECT_EQ(frm.hwndLastTarget(), frame);
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quellon
