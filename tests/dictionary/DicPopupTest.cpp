// The popup's Qt-free parts: its place on the screen, the meaning it shows, what it does
// with each input message, and the display time.
#include "DictionaryFixture.h"

#include "dictionary/DicPopupContent.h"
#include "dictionary/DicPopupInput.h"
#include "dictionary/DicPopupLayout.h"
#include "dictionary/MiniDictionary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"

#include <gtest/gtest.h>

namespace {

TEST(DicPopupLayout, StaysInTheWorkAreaAndGoesAboveTheLineAtTheBottom) {
    struct Case {
        const char* name;
        int x, y, lineHeight, textHeight;
        PopupRect workArea;
        PopupRect expected;
    };
    const PopupRect screen{0, 0, 1024, 768};
    const Case cases[] = {
        {"below the word", 100, 200, 16, 40, screen, {100, 200, 380, 264}},
        {"right edge", 900, 200, 16, 40, screen, {744, 200, 1024, 264}},
        {"left of the area", -30, 200, 16, 40, screen, {0, 200, 280, 264}},
        {"above the area", 100, -5, 16, 40, screen, {100, 0, 380, 64}},
        {"bottom: above the line", 100, 740, 16, 40, screen, {100, 658, 380, 722}},
        {"just fits", 100, 704, 16, 40, screen, {100, 704, 380, 768}},
        {"second screen, bottom",
         -1500,
         1030,
         20,
         10,
         {-1920, 0, 0, 1050},
         {-1500, 974, -1220, 1008}},
        {"second screen right edge", -100, 100, 12, 10, {-1920, 0, 0, 1050}, {-280, 100, 0, 134}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(popup_layout::Place(c.x, c.y, c.lineHeight, c.textHeight, c.workArea), c.expected)
            << c.name;
    }
}

TEST(DicPopupLayout, LongMeaningsAreCutAfterPunctuationNearTheEnd) {
    const std::string a1000(1000, 'a');
    struct Case {
        std::string meaning;
        std::string expected;
    };
    const Case cases[] = {
        {"", "[empty]"},
        {std::string(1100, 'a'), std::string(1100, 'a')},
        {std::string(1101, 'a'), std::string(1101, 'a')},
        {std::string(1200, 'a'), std::string(1101, 'a')},
        {a1000 + std::string(50, 'b') + "." + std::string(200, 'c'),
         a1000 + std::string(50, 'b') + "."},
        // Punctuation before character 1,000 does not count.
        {std::string(999, 'a') + ";" + std::string(300, 'b'),
         std::string(999, 'a') + ";" + std::string(101, 'b')},
        // Characters, not bytes: 1,099 two-byte letters, then a comma.
        {[] {
             std::string s;
             for (int k = 0; k < 1099; ++k) {
                 s += "\xC3\xA9";
             }
             return s + ",xyz" + std::string(100, 'z');
         }(),
         [] {
             std::string s;
             for (int k = 0; k < 1099; ++k) {
                 s += "\xC3\xA9";
             }
             return s + ",";
         }()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(popup_layout::DisplayedMeaning(c.meaning), c.expected) << c.meaning.size();
    }
}

TEST(DicPopupInput, EachMessageClosesStepsOrPassesAsItShould) {
    using namespace popup_input;
    struct Case {
        const char* name;
        Message message;
        Decision expected;
    };
    const Case cases[] = {
        {"left on <",
         {Kind::ClientButtonDown, Button::Left, Key::Other, true, 230, 5},
         {Action::StepBack, true}},
        {"left on >",
         {Kind::ClientButtonDown, Button::Left, Key::Other, true, 238, 11},
         {Action::StepForward, true}},
        {"left beside >",
         {Kind::ClientButtonDown, Button::Left, Key::Other, true, 248, 5},
         {Action::Close, true}},
        {"left elsewhere",
         {Kind::ClientButtonDown, Button::Left, Key::Other, false, -50, 9},
         {Action::Close, false}},
        {"right on the popup",
         {Kind::ClientButtonDown, Button::Right, Key::Other, true, 230, 5},
         {Action::Close, false}},
        {"middle elsewhere",
         {Kind::ClientButtonDown, Button::Middle, Key::Other, false, 0, 0},
         {Action::Close, false}},
        {"title bar",
         {Kind::NonClientButtonDown, Button::Left, Key::Other, false, 230, 5},
         {Action::Close, false}},
        {"Left arrow",
         {Kind::KeyDown, Button::Left, Key::Left, false, 0, 0},
         {Action::StepBack, true}},
        {"Right arrow",
         {Kind::KeyDown, Button::Left, Key::Right, false, 0, 0},
         {Action::StepForward, true}},
        {"Page Up",
         {Kind::KeyDown, Button::Left, Key::PageUp, false, 0, 0},
         {Action::LongerTime, true}},
        {"Page Down",
         {Kind::KeyDown, Button::Left, Key::PageDown, false, 0, 0},
         {Action::ShorterTime, true}},
        {"Escape", {Kind::KeyDown, Button::Left, Key::Escape, false, 0, 0}, {Action::Close, true}},
        {"another key",
         {Kind::KeyDown, Button::Left, Key::Other, false, 0, 0},
         {Action::Close, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Decide(c.message), c.expected) << c.name;
    }
}

TEST(DicPopupContent, DisplayTimeIsClampedStoredAndNotedUnderTheMeaning) {
    DictionaryFiles files;
    files.Write({{"last", "the end"}});
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary(settings, prompts, "");
    ASSERT_EQ(dictionary.OpenDictionary(files.index), 0);

    settings::kMiniDicTimer.Write(settings, 99999);
    DicPopupSettings popupSettings(settings);
    popupSettings.Enable(true);
    EXPECT_EQ(popupSettings.DisplayTime(), 20000);

    DicPopupContent content(dictionary, popupSettings);
    ASSERT_TRUE(content.Lookup("LAST"));
    EXPECT_FALSE(content.Step(true));
    EXPECT_FALSE(content.Step(false));
    content.ChangeDisplayTime(1);
    EXPECT_EQ(content.Meaning(), "the end\n(20 sec.)");
    EXPECT_EQ(settings::kMiniDicTimer.Read(settings), 20000);
    for (int k = 0; k < 20; ++k) {
        content.ChangeDisplayTime(-1);
    }
    EXPECT_EQ(content.Meaning(), "the end\n(2 sec.)");
    EXPECT_EQ(content.Entry().m_strText4, "\n(2 sec.)");
    EXPECT_EQ(popupSettings.DisplayTime(), 2000);
    EXPECT_EQ(settings::kMiniDicTimer.Read(settings), 2000);

    settings::kMiniDicTimer.Write(settings, 100);
    popupSettings.Enable(true);
    EXPECT_EQ(popupSettings.DisplayTime(), 2000);
}

} // namespace
