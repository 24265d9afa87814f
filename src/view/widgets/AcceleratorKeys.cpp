#include "view/widgets/AcceleratorKeys.h"

#include <QKeyEvent>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr Qt::KeyboardModifiers kCounted =
    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;

constexpr std::array<std::pair<std::string_view, int>, 16> kNamedKeys{{
    {"Enter", Qt::Key_Return},
    {"Ins", Qt::Key_Insert},
    {"Del", Qt::Key_Delete},
    {"PageUp", Qt::Key_PageUp},
    {"PageDown", Qt::Key_PageDown},
    {"Up", Qt::Key_Up},
    {"Down", Qt::Key_Down},
    {"Left", Qt::Key_Left},
    {"Right", Qt::Key_Right},
    {"Home", Qt::Key_Home},
    {"End", Qt::Key_End},
    {",", Qt::Key_Comma},
    {".", Qt::Key_Period},
    {"[", Qt::Key_BracketLeft},
    {"]", Qt::Key_BracketRight},
    {"Space", Qt::Key_Space},
}};

// What Shift makes of a punctuation or digit key on the common layouts, and the key.
constexpr std::array<std::pair<int, int>, 14> kShiftedKeys{{
    {Qt::Key_Less, Qt::Key_Comma},
    {Qt::Key_Greater, Qt::Key_Period},
    {Qt::Key_BraceLeft, Qt::Key_BracketLeft},
    {Qt::Key_BraceRight, Qt::Key_BracketRight},
    {Qt::Key_Exclam, Qt::Key_1},
    {Qt::Key_At, Qt::Key_2},
    {Qt::Key_Colon, Qt::Key_Semicolon},
    {Qt::Key_QuoteDbl, Qt::Key_Apostrophe},
    {Qt::Key_Question, Qt::Key_Slash},
    {Qt::Key_Bar, Qt::Key_Backslash},
    {Qt::Key_Underscore, Qt::Key_Minus},
    {Qt::Key_Plus, Qt::Key_Equal},
    {Qt::Key_AsciiTilde, Qt::Key_QuoteLeft},
    {Qt::Key_Backtab, Qt::Key_Tab},
}};

std::optional<int> KeyOf(std::string_view name) {
    for (const auto& [text, key] : kNamedKeys) {
        if (text == name) {
            return key;
        }
    }
    if (name.size() == 1 &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
        return static_cast<int>(name[0]); // Qt's letter and digit keys are their ASCII codes
    }
    int number = 0;
    if (name.size() >= 2 && name[0] == 'F') {
        auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
        if (ec == std::errc() && end == name.data() + name.size() && number >= 1 && number <= 24) {
            return Qt::Key_F1 + number - 1;
        }
    }
    return std::nullopt;
}

// Takes a leading "Ctrl+", "Alt+" or "Shift+" off the name; the modifier it named.
std::optional<Qt::KeyboardModifier> TakeModifier(std::string_view& name) {
    constexpr std::pair<std::string_view, Qt::KeyboardModifier> kPrefixes[] = {
        {"Ctrl+", Qt::ControlModifier}, {"Alt+", Qt::AltModifier}, {"Shift+", Qt::ShiftModifier}};
    for (const auto& [prefix, modifier] : kPrefixes) {
        // A name of the prefix alone ("Ctrl+") has no key after it.
        if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix) {
            name.remove_prefix(prefix.size());
            return modifier;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<KeyChord> AcceleratorKeys::Parse(std::string_view name) {
    KeyChord chord;
    while (std::optional<Qt::KeyboardModifier> modifier = TakeModifier(name)) {
        chord.modifiers |= *modifier;
    }
    std::optional<int> key = KeyOf(name);
    if (!key) {
        return std::nullopt;
    }
    chord.key = *key;
    return chord;
}

QKeySequence AcceleratorKeys::Sequence(std::string_view name) {
    std::optional<KeyChord> chord = Parse(name);
    return chord ? QKeySequence(QKeyCombination(chord->modifiers, Qt::Key(chord->key)))
                 : QKeySequence();
}

KeyChord AcceleratorKeys::Normalize(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= kCounted;
    if (key == Qt::Key_Enter) {
        key = Qt::Key_Return;
    }
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        for (const auto& [shifted, plain] : kShiftedKeys) {
            if (key == shifted) {
                key = plain;
                break;
            }
        }
    }
    return {key, modifiers};
}

KeyChord AcceleratorKeys::FromEvent(const QKeyEvent& event) {
    return Normalize(event.key(), event.modifiers());
}

KeyModifiers AcceleratorKeys::ToKeyModifiers(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::AltModifier),
            modifiers.testFlag(Qt::ShiftModifier)};
}
