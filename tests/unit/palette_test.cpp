#include <gtest/gtest.h>

#include <map>

#include "app/Palette.h"

namespace quellon {
namespace {

struct FakeSystemColours : SystemColours {
    bool contrast = false;
    std::map<int, Colour> colours{{win::kColorWindowText, 0x000000},
                                  {win::kColorBtnFace, 0xF0F0F0},
                                  {win::kColorBtnText, 0x101010}};
    bool highContrast() override { return contrast; }
    Colour colour(int index) override { return colours.at(index); }
};

TEST(PaletteTest, DesignColoursNormallyAndTheSystemsDialogPairInHighContrast) {
    FakeSystemColours system;
    Palette palette(system);
    EXPECT_EQ(palette.colours(),
              (SurfaceColours{kDesignWindowColour, 0x000000, kDesignProbeColour, 0x000000}));

    // High Contrast Black: white text on black, on every surface of the tool.
    system.contrast = true;
    system.colours = {{win::kColorWindowText, 0xFFFFFF},
                      {win::kColorBtnFace, 0x000000},
                      {win::kColorBtnText, 0xFFFFFF}};
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours(), (SurfaceColours{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF}));

    system.contrast = false;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours(),
              (SurfaceColours{kDesignWindowColour, 0xFFFFFF, kDesignProbeColour, 0xFFFFFF}));
}

// The outline lies over other programs' windows: it keeps its crimson whatever the system's
// colours and contrast are.
TEST(PaletteTest, TheOutlineKeepsItsColourInHighContrast) {
    FakeSystemColours system;
    Palette palette(system);
    EXPECT_EQ(palette.outline(), 0x005014E6u);  // red 230, green 20, blue 80
    system.contrast = true;
    system.colours[win::kColorBtnFace] = 0x000000;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.outline(), 0x005014E6u);
}

// The brushes are made anew only when a colour the tool paints with changed.
TEST(PaletteTest, ARefreshTellsWhetherTheToolsColoursChanged) {
    FakeSystemColours system;
    Palette palette(system);
    EXPECT_FALSE(palette.refresh());
    system.colours[win::kColorBtnFace] = 0x00FF00;
    EXPECT_FALSE(palette.refresh()) << "a colour the tool does not use outside high contrast";
    system.colours[win::kColorWindowText] = 0x0000FF;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours().probeText, 0x0000FFu);
    system.contrast = true;
    EXPECT_TRUE(palette.refresh());
    system.colours[win::kColorBtnText] = 0x00FFFF;
    EXPECT_TRUE(palette.refresh());
    EXPECT_EQ(palette.colours().windowText, 0x00FFFFu);
}

}  // namespace
}  // namespace quellon
