// The colours of the tool's own surfaces, of the outline and of the tree's pictures, normally and
// in high-contrast mode, on the simulated desktop's colours.
#include <gtest/gtest.h>

#include "app/Palette.h"
#include "tests/support/SimDesktop.h"

namespace quellon {
namespace {

// High Contrast Black: white text on black, yellow for what is highlighted.
void turnOnHighContrastBlack(test::SimDesktop& system) {
    system.highContrastOn = true;
    system.systemColours = {{win::kColorWindow, 0x000000},
                            {win::kColorWindowText, 0xFFFFFF},
                            {win::kColorHighlight, 0x00FFFF},
                            {win::kColorBtnFace, 0x000000},
                            {win::kColorBtnText, 0xFFFFFF}};
}

TEST(PaletteTest, DesignColoursNormallyAndTheSystemsDialogPairInHighContrast) {
    test::SimDesktop system;
    Palette palette(system);
    EXPECT_EQ(palette.colours(),
              (SurfaceColours{kDesignWindowColour, 0x000000, kDesignProbeColour, 0x000000}));

    turnOnHighContrastBlack(system);
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours(), (SurfaceColours{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF}));

    system.highContrastOn = false;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours(),
              (SurfaceColours{kDesignWindowColour, 0xFFFFFF, kDesignProbeColour, 0xFFFFFF}));
}

// The outline lies over other programs' windows: crimson, and in high contrast the colour the
// user chose for what stands out, so that it keeps to the user's colours there too.
TEST(PaletteTest, TheOutlineIsCrimsonAndInHighContrastTheSystemsHighlight) {
    test::SimDesktop system;
    Palette palette(system);
    EXPECT_EQ(palette.outline(), 0x005014E6u);  // red 230, green 20, blue 80
    turnOnHighContrastBlack(system);
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.outline(), 0x00FFFFu);
    system.systemColours[win::kColorHighlight] = 0x00FF00;
    EXPECT_TRUE(palette.refresh()) << "the outline's colour alone changed";
    EXPECT_EQ(palette.outline(), 0x00FF00u);
}

// The tree's pictures keep their colours; in high contrast they are drawn in the window text on
// the tree's window colour, whichever colours the user chose: the dotted outline of a hidden
// window, black, would vanish on High Contrast Black.
TEST(PaletteTest, ThePicturesInHighContrastInTheWindowTextOnTheWindowColour) {
    test::SimDesktop system;
    Palette palette(system);
    const Colour black = 0x000000;
    const Colour grey = 0x808080;
    EXPECT_FALSE(palette.picturesRecoloured());
    for (const Colour drawn : {black, grey, kPictureInsideColour}) {
        EXPECT_EQ(palette.pictureColour(drawn), drawn);
    }
    turnOnHighContrastBlack(system);
    EXPECT_TRUE(palette.refresh());
    EXPECT_TRUE(palette.picturesRecoloured());
    EXPECT_EQ(palette.pictureColour(black), 0xFFFFFFu);
    EXPECT_EQ(palette.pictureColour(grey), 0xFFFFFFu);
    EXPECT_EQ(palette.pictureColour(kPictureInsideColour), 0x000000u);

    system.systemColours[win::kColorWindow] = 0x800000;
    EXPECT_TRUE(palette.refresh()) << "the pictures' background alone changed";
    EXPECT_EQ(palette.pictureColour(kPictureInsideColour), 0x800000u);
}

// The brushes are made anew only when a colour the tool paints with changed.
TEST(PaletteTest, ARefreshTellsWhetherTheToolsColoursChanged) {
    test::SimDesktop system;
    Palette palette(system);
    EXPECT_FALSE(palette.refresh());
    system.systemColours[win::kColorBtnFace] = 0x00FF00;
    system.systemColours[win::kColorHighlight] = 0x00FF00;
    EXPECT_FALSE(palette.refresh()) << "colours the tool does not use outside high contrast";
    system.systemColours[win::kColorWindowText] = 0x0000FF;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours().probeText, 0x0000FFu);
    system.highContrastOn = true;
    EXPECT_TRUE(palette.refresh());
    system.systemColours[win::kColorBtnText] = 0x00FFFF;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours().windowText, 0x00FFFFu);
}

}  // namespace
}  // namespace quellon
