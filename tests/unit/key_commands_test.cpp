// The main window's keys: which command each has, with which modifiers and where the focus is.
#include <gtest/gtest.h>

#include <optional>

#include "app/KeyCommands.h"

namespace quellon {
namespace {

constexpr Modifiers kNone{};
constexpr Modifiers kCtrl{.control = true};
constexpr Modifiers kShift{.shift = true};
constexpr Modifiers kCtrlShift{.control = true, .shift = true};
constexpr Modifiers kAltGr{.control = true, .alt = true};
constexpr Modifiers kAltGrShift{.control = true, .shift = true, .alt = true};

constexpr KeyPlace kPlaces[] = {KeyPlace::Tree, KeyPlace::Details, KeyPlace::Elsewhere};

TEST(KeyCommands, F5RebuildsWhereverTheFocusIsAndWhateverIsHeldWithIt) {
    for (const KeyPlace place : kPlaces) {
        for (const Modifiers held : {kNone, kCtrl, kShift, kCtrlShift, kAltGr}) {
            EXPECT_EQ(keyCommand(win::kVkF5, held, place), KeyCommand::Rebuild);
        }
        EXPECT_EQ(keyCommand(win::kVkF5 + 1, kNone, place), std::nullopt) << "F6";
    }
}

TEST(KeyCommands, TheTreesClipboardKeysActOnlyInTheTree) {
    EXPECT_EQ(keyCommand('C', kCtrl, KeyPlace::Tree), KeyCommand::CopyEntry);
    EXPECT_EQ(keyCommand('C', kCtrlShift, KeyPlace::Tree), KeyCommand::CopyTree);
    EXPECT_EQ(keyCommand('V', kCtrl, KeyPlace::Tree), KeyCommand::PasteHandle);
    for (const KeyPlace place : {KeyPlace::Details, KeyPlace::Elsewhere}) {
        // The details box copies and pastes by itself.
        EXPECT_EQ(keyCommand('C', kCtrl, place), std::nullopt);
        EXPECT_EQ(keyCommand('C', kCtrlShift, place), std::nullopt);
        EXPECT_EQ(keyCommand('V', kCtrl, place), std::nullopt);
    }
}

TEST(KeyCommands, CtrlASelectsTheDetailsOnlyInTheDetailsBox) {
    EXPECT_EQ(keyCommand('A', kCtrl, KeyPlace::Details), KeyCommand::SelectAllDetails);
    EXPECT_EQ(keyCommand('A', kCtrl, KeyPlace::Tree), std::nullopt);
    EXPECT_EQ(keyCommand('A', kCtrl, KeyPlace::Elsewhere), std::nullopt);
}

// AltGr (Ctrl with Alt) types characters; Ctrl with Shift is no Ctrl key; the letters alone and
// with Shift are text.
TEST(KeyCommands, CtrlKeysCountNeitherWithAltNorWithAnotherModifier) {
    for (const KeyPlace place : kPlaces) {
        for (const int letter : {int{'A'}, int{'C'}, int{'V'}}) {
            for (const Modifiers held : {kNone, kShift, kAltGr, kAltGrShift}) {
                EXPECT_EQ(keyCommand(letter, held, place), std::nullopt)
                    << static_cast<char>(letter);
            }
        }
    }
    EXPECT_EQ(keyCommand('V', kCtrlShift, KeyPlace::Tree), std::nullopt);
    EXPECT_EQ(keyCommand('A', kCtrlShift, KeyPlace::Details), std::nullopt);
}

}  // namespace
}  // namespace quellon
