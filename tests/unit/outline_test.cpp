// The probe's outline (which window it surrounds, and where) and F5, which rebuilds the tree
// for the window shown last.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RuntimeError.h"
#include "tests/support/FrmMainFixture.h"

namespace quellon {
namespace {

struct OutlineTest : test::FrmMainFixture {
    test::SimGeometry& geometry = outline.geometry;
    test::RecordedFrames& frames = outline.frames;
    const std::optional<OutlineShape>& shown = outline.frames.shown;

    OutlineTest() { outline.outline.beginDrag(); }

    Hwnd placed(const std::wstring& label, Rect rect, Hwnd parent = 0) {
        const Hwnd w = window(label, parent);
        geometry.windowRects[w] = rect;
        return w;
    }
};

TEST(OutlineShape, AFrameInsideTheBoundsWithoutAHoleInBoundsTooSmallForTwoWidths) {
    EXPECT_EQ(outlineShape({10, 20, 110, 70}, 3).hole, (Rect{13, 23, 107, 67}));
    EXPECT_EQ(outlineShape({-5, 0, 2, 7}, 3).hole, (Rect{-2, 3, -1, 4}));
    EXPECT_EQ(outlineShape({0, 0, 6, 50}, 3), (OutlineShape{{0, 0, 6, 50}, {}}));
    EXPECT_EQ(outlineShape({0, 0, 50, 5}, 3).hole, Rect{});
}

TEST_F(OutlineTest, TopLevelWindowsByFrameBoundsChildrenByRectanglesClippedWidthByMonitorDpi) {
    const Hwnd frame = placed(L"Frame", {100, 100, 500, 400});
    const Hwnd child = placed(L"Child", {120, 130, 220, 160}, frame);
    geometry.frameBounds[frame] = {107, 100, 493, 393};
    geometry.frameBounds[child] = {0, 0, 1, 1};  // never asked for a child

    moveOver(frame);
    EXPECT_EQ(shown, outlineShape({107, 100, 493, 393}, 3));
    moveOver(child);
    EXPECT_EQ(shown, outlineShape({120, 130, 220, 160}, 3));

    // No frame bounds: the window rectangle, clipped.
    const Hwnd maximized = placed(L"Maximized", {-8, -8, 1288, 1032});
    moveOver(maximized);
    EXPECT_EQ(shown, outlineShape({0, 0, 1280, 1024}, 3));

    const Hwnd offScreen = placed(L"Off", {2000, 0, 2100, 50});
    moveOver(offScreen);
    EXPECT_EQ(shown, std::nullopt);

    const Hwnd highDpi = placed(L"HighDpi", {0, 0, 300, 200});
    geometry.dpis[highDpi] = 144;
    moveOver(highDpi);
    EXPECT_EQ(shown, outlineShape({0, 0, 300, 200}, 5));
}

TEST_F(OutlineTest, FollowsTheTreesTargetButNeverTheMainWindowOrTheDesktop) {
    const Hwnd main = window(L"Main");
    const Hwnd other = placed(L"Other", {10, 10, 60, 60});
    form.handle = main;

    moveOver(other);
    const auto aroundOther = shown;
    ASSERT_TRUE(aroundOther);
    moveOver(main);
    EXPECT_EQ(shown, std::nullopt);
    moveOver(other);  // the tree still shows it: no rebuild, but the outline again
    EXPECT_EQ(shown, aroundOther);
    EXPECT_EQ(widget.bulkUpdates, 1);
    moveOver(test::SimDesktop::kDesktop);
    EXPECT_EQ(shown, std::nullopt);
    moveOver(test::SimDesktop::kDesktop);
    EXPECT_EQ(shown, std::nullopt);
}

TEST_F(OutlineTest, ShowsOnlyDuringTheDragAndGoesWithItsWindow) {
    const Hwnd first = window(L"First");
    const Hwnd second = window(L"Second");
    moveOver(first);
    outline.outline.refresh();  // unchanged: not drawn again
    EXPECT_EQ(frames.shows, 1);

    outline.outline.endDrag();
    EXPECT_EQ(shown, std::nullopt);
    moveOver(second);
    EXPECT_EQ(shown, std::nullopt);

    outline.outline.beginDrag();
    moveOver(first);
    geometry.windowRects[first] = {5, 5, 50, 50};
    outline.outline.refresh();
    EXPECT_EQ(shown, outlineShape({5, 5, 50, 50}, 3));
    desktop.destroy(first);
    outline.outline.refresh();
    EXPECT_EQ(shown, std::nullopt);
}

TEST_F(OutlineTest, RisesOnARefreshOverAWindowThatCameUpOverItWhileItShows) {
    const Hwnd first = window(L"First");
    moveOver(first);
    outline.outline.refresh();
    EXPECT_EQ(frames.bringsToTop, 0);
    frames.coveredNow = true;
    outline.outline.refresh();
    EXPECT_EQ(frames.bringsToTop, 1);
    outline.outline.refresh();
    EXPECT_EQ(frames.bringsToTop, 1);

    // Moved, it is shown on top anyway.
    frames.coveredNow = true;
    geometry.windowRects[first] = {5, 5, 50, 50};
    outline.outline.refresh();
    EXPECT_EQ(frames.shows, 2);
    EXPECT_EQ(frames.bringsToTop, 1);

    // Gone, it is not brought to the top.
    outline.outline.endDrag();
    frames.coveredNow = true;
    outline.outline.refresh();
    EXPECT_EQ(frames.bringsToTop, 1);
}

// Only a window that shows over the outline makes it come back to the top: above it in the
// z-order, visible, not cloaked by the desktop window manager (a window of another virtual
// desktop, a suspended store app) and over it. Windows stand above it beyond the check's reach:
// covered, since nothing says otherwise.
TEST_F(OutlineTest, CoveredOnlyByAWindowAboveItThatShowsOverIt) {
    const Hwnd cover = placed(L"Cover", {150, 150, 300, 300});
    placed(L"Apart", {400, 400, 500, 500});
    const Rect area{100, 100, 200, 200};
    const Hwnd own = placed(L"Outline", area);  // the latest window, at the bottom
    EXPECT_TRUE(coveredFromAbove(geometry, own, area));

    geometry.cloaked.insert(cover);
    EXPECT_FALSE(coveredFromAbove(geometry, own, area)) << "cloaked";
    geometry.cloaked.clear();
    desktop.window(cover).spec.visible = false;
    EXPECT_FALSE(coveredFromAbove(geometry, own, area)) << "hidden";
    desktop.window(cover).spec.visible = true;
    desktop.moveToBottom(cover);
    EXPECT_FALSE(coveredFromAbove(geometry, own, area)) << "below the outline";

    for (int i = 0; i < kMostWindowsAbove; ++i) {
        geometry.cloaked.insert(placed(L"Far", {0, 0, 50, 50}));
    }
    desktop.moveToBottom(own);
    desktop.moveToBottom(cover);
    EXPECT_TRUE(coveredFromAbove(geometry, own, area)) << "beyond the windows looked at";
}

TEST_F(OutlineTest, F5RebuildsForTheWindowShownLastAsAMoveWould) {
    const Hwnd frame = window(L"Frame");
    moveOver(frame);
    window(L"Later", frame);
    trv.setSelected(trv.find(nodeKey(frame)));
    desktop.pointed = window(L"Elsewhere");  // F5 does not look at the pointer

    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Frame) [1] +\n");
    frm.rebuildLastTarget();
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Frame) [1] +\n    (Later) [1] +\n");

    widget.beforeInsert = [](const std::wstring& text) {
        if (text == L"(Later)") raise(ErrorNumber::OutOfMemory);
    };
    frm.rebuildLastTarget();
    EXPECT_EQ(desktop.messages, std::vector{report(550, ErrorNumber::OutOfMemory)});
}

TEST_F(OutlineTest, F5WithNoWindowShownOrAVanishedOneChangesNothing) {
    frm.rebuildLastTarget();
    EXPECT_EQ(widget.bulkUpdates, 0);

    const Hwnd frame = window(L"Frame");
    moveOver(frame);
    desktop.destroy(frame);
    frm.rebuildLastTarget();
    EXPECT_EQ(widget.bulkUpdates, 1);
    EXPECT_EQ(tree(), L"DesktopWindow\n  *(Frame) [1] +\n");
    EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quellon
