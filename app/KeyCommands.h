// The main window's keys and what each does, in one table: F5 wherever the focus is in the
// window, the clipboard keys only in the control they act on. A key that the table gives no
// command goes on to the control with the focus, as the control's own keys (Ctrl+C and Ctrl+V in
// the details box) must.
#pragma once

#include <optional>

namespace quellon {

enum class KeyCommand {
    Rebuild,           // the tree for the window shown last, as a move onto it
    CopyEntry,         // the selected entry's text
    CopyTree,          // the whole tree as text
    PasteHandle,       // the window whose handle the clipboard holds, as after a pick
    SelectAllDetails,  // the whole text of the details box
};

// Where the focus is: the key goes to that control.
enum class KeyPlace { Tree, Details, Elsewhere };

// The modifier keys held down with the key.
struct Modifiers {
    bool control = false;
    bool shift = false;
    bool alt = false;
};

// Virtual-key codes of the keys that are no letters.
namespace win {
inline constexpr int kVkF5 = 0x74;
}  // namespace win

// The command of a key pressed (its virtual-key code; a letter's is the capital letter) with
// those modifiers held, where the focus is; nothing for a key of the controls' own.
[[nodiscard]] std::optional<KeyCommand> keyCommand(int virtualKey, Modifiers held, KeyPlace focus);

}  // namespace quellon
