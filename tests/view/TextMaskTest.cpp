#include "view/TextMask.h"

#include "document/CEarlarkWaveSection.h"

#include <gtest/gtest.h>

namespace {

struct MaskCase {
    std::u16string original;
    std::uint32_t hintLevel;
    std::uint32_t playCount;
    std::uint8_t charSet;
    std::u16string shown;
};

TEST(TextMask, MasksLettersPastTheHintLevelOfEachWord) {
    for (const MaskCase& c : {
             MaskCase{u"It's me.", 0, 0, 0, u"\u2022\u2022'\u2022  \u2022\u2022."},
             MaskCase{u"Hello world", 1, 0, 0,
                      u"H\u2022\u2022\u2022\u2022  w\u2022\u2022\u2022\u2022"},
             MaskCase{u"Hello world", 3, 0, 0, u"Hel\u2022\u2022  wor\u2022\u2022"},
             MaskCase{u"ab {Tom} cd", 0, 0, 0, u"\u2022\u2022  Tom  \u2022\u2022"},
             MaskCase{u"a{b}c", 1, 0, 0, u"ab\u2022"},
             MaskCase{u"x {y} z", 0, 20, 0, u"x y z"},
             MaskCase{u"안녕 hi", 0, 0, 129, u"\u25CF\u25CF  \u25CF\u25CF"},
             MaskCase{u"日本", 0, 0, 128, u"\u2022\u2022"},
             MaskCase{u"9 to 5", 0, 0, 0, u"9  \u2022\u2022  5"},
         }) {
        CEarlarkWaveSection sentence;
        sentence.m_strOriginal = c.original;
        sentence.m_nHintLevel = c.hintLevel;
        sentence.m_nPlayCount = c.playCount;
        EXPECT_EQ(TextMask::MaskOriginalText(sentence, false, c.charSet), c.shown);
        EXPECT_EQ(TextMask::MaskOriginalText(sentence, true, c.charSet), c.original)
            << "editing mode shows the text as stored";
    }
}

} // namespace
