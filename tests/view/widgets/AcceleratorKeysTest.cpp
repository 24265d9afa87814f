#include "view/widgets/AcceleratorKeys.h"
#include "view/AcceleratorTable.h"

#include <gtest/gtest.h>

namespace {

TEST(AcceleratorKeysTest, EveryKeyOfTheTableHasAQtChord) {
    for (const Accelerator& entry : AcceleratorTable::Entries()) {
        EXPECT_TRUE(AcceleratorKeys::Parse(entry.key).has_value()) << entry.key;
        EXPECT_FALSE(AcceleratorKeys::Sequence(entry.key).isEmpty()) << entry.key;
    }
}

TEST(AcceleratorKeysTest, NamesBecomeKeysWithModifiersInAnyCombination) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        {"Ctrl+Alt+[", Qt::Key_BracketLeft, Qt::ControlModifier | Qt::AltModifier},
        {"Ctrl+,", Qt::Key_Comma, Qt::ControlModifier},
        {"Alt+Shift+.", Qt::Key_Period, Qt::AltModifier | Qt::ShiftModifier},
        {"Ins", Qt::Key_Insert, Qt::NoModifier},
        {"Ctrl+Shift+Del", Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier},
        {"PageUp", Qt::Key_PageUp, Qt::NoModifier},
        {"Ctrl+Up", Qt::Key_Up, Qt::ControlModifier},
        {"Shift+Enter", Qt::Key_Return, Qt::ShiftModifier},
        {"F12", Qt::Key_F12, Qt::NoModifier},
        {"Ctrl+2", Qt::Key_2, Qt::ControlModifier},
        {"Alt+T", Qt::Key_T, Qt::AltModifier},
    };
    for (const Case& c : cases) {
        std::optional<KeyChord> chord = AcceleratorKeys::Parse(c.name);
        ASSERT_TRUE(chord) << c.name;
        EXPECT_EQ(chord->key, c.key) << c.name;
        EXPECT_EQ(chord->modifiers, c.modifiers) << c.name;
    }
    EXPECT_EQ(AcceleratorKeys::Sequence("Ctrl+Shift+G"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
}

TEST(AcceleratorKeysTest, UnknownNamesHaveNoChord) {
    for (const char* name : {"", "Ctrl+", "F25", "F0", "Hyper+X", "Ctrl+Foo", "ctrl+x"}) {
        EXPECT_FALSE(AcceleratorKeys::Parse(name).has_value()) << name;
    }
}

TEST(AcceleratorKeysTest, ShiftedPunctuationAndTheKeypadEnterMatchTheirKeys) {
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    EXPECT_EQ(AcceleratorKeys::Normalize(Qt::Key_Less, ctrlShift),
              (KeyChord{Qt::Key_Comma, ctrlShift}));
    EXPECT_EQ(AcceleratorKeys::Normalize(Qt::Key_Greater, Qt::AltModifier | Qt::ShiftModifier),
              (KeyChord{Qt::Key_Period, Qt::AltModifier | Qt::ShiftModifier}));
    EXPECT_EQ(AcceleratorKeys::Normalize(Qt::Key_BraceRight, ctrlShift),
              (KeyChord{Qt::Key_BracketRight, ctrlShift}));
    EXPECT_EQ(AcceleratorKeys::Normalize(Qt::Key_Enter, Qt::KeypadModifier),
              (KeyChord{Qt::Key_Return, Qt::NoModifier}));
    // Without Shift a "<" key stays what it is.
    EXPECT_EQ(AcceleratorKeys::Normalize(Qt::Key_Less, Qt::ControlModifier).key, Qt::Key_Less);
}

} // namespace
