#pragma once

#include "view/ViewPorts.h"

#include <QKeySequence>
#include <Qt>
#include <optional>
#include <string_view>

class QKeyEvent;

// One key with its modifiers, as Qt reports it and as the accelerator table is matched.
struct KeyChord {
    int key = 0;
    Qt::KeyboardModifiers modifiers;

    bool operator==(const KeyChord& other) const {
        return key == other.key && modifiers == other.modifiers;
    }
};

// Turns the accelerator table's key names ("Ctrl+Alt+[", "Shift+Enter", "PageUp", "F12")
// into Qt keys, and key events into the same form. Only Ctrl, Alt and Shift count.
class AcceleratorKeys {
public:
    // Nothing for a name this table does not know.
    static std::optional<KeyChord> Parse(std::string_view name);
    static QKeySequence Sequence(std::string_view name);
    // The chord a key press stands for. A shifted punctuation key reports the shifted
    // character on many layouts (Shift+"," gives "<"): it is taken back to its key, so that
    // Ctrl+Shift+, matches however the layout writes it. The keypad's Enter is Enter.
    static KeyChord FromEvent(const QKeyEvent& event);
    static KeyChord Normalize(int key, Qt::KeyboardModifiers modifiers);
    static KeyModifiers ToKeyModifiers(Qt::KeyboardModifiers modifiers);
};
