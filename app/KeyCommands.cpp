#include "app/KeyCommands.h"

namespace quellon {

namespace {

// The modifiers that a key wants. Ctrl never counts together with Alt: Ctrl with Alt is AltGr on
// many keyboards, which types a character. Ctrl with Shift is a key of its own, not Ctrl's.
enum class Chord { AnyModifiers, CtrlAlone, CtrlShift };

// Where the key acts: anywhere in the main window, or only with the focus in that control.
enum class Scope { Window, Tree, Details };

struct KeyBinding {
    int virtualKey;
    Chord chord;
    Scope scope;
    KeyCommand command;
};

constexpr KeyBinding kKeyBindings[] = {
    {win::kVkF5, Chord::AnyModifiers, Scope::Window, KeyCommand::Rebuild},
    {'C', Chord::CtrlAlone, Scope::Tree, KeyCommand::CopyEntry},
    {'C', Chord::CtrlShift, Scope::Tree, KeyCommand::CopyTree},
    {'V', Chord::CtrlAlone, Scope::Tree, KeyCommand::PasteHandle},
    {'A', Chord::CtrlAlone, Scope::Details, KeyCommand::SelectAllDetails},
};

bool matches(Chord chord, Modifiers held) {
    const bool control = held.control && !held.alt;
    switch (chord) {
        case Chord::AnyModifiers: return true;
        case Chord::CtrlAlone: return control && !held.shift;
        case Chord::CtrlShift: return control && held.shift;
    }
    return false;
}

bool within(Scope scope, KeyPlace focus) {
    switch (scope) {
        case Scope::Window: return true;
        case Scope::Tree: return focus == KeyPlace::Tree;
        case Scope::Details: return focus == KeyPlace::Details;
    }
    return false;
}

}  // namespace

std::optional<KeyCommand> keyCommand(int virtualKey, Modifiers held, KeyPlace focus) {
    for (const KeyBinding& binding : kKeyBindings) {
        if (binding.virtualKey == virtualKey && matches(binding.chord, held) &&
            within(binding.scope, focus)) {
            return binding.command;
        }
    }
    return std::nullopt;
}

}  // namespace quellon
