#include "view/TranscriptionCompare.h"
#include "view/SentenceDelimiters.h"
#include "view/WordSpan.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct CompareCase {
    std::u16string transcription;
    std::u16string original;
    bool caseSensitive;
    bool punctuation;
    int expected;
};

TEST(TranscriptionCompare, FindsTheFirstMismatchInTheTranscription) {
    constexpr int kMatch = TranscriptionCompare::kMatch;
    for (const CompareCase& c : {
             CompareCase{u"Hello, world.", u"hello world", false, false, kMatch},
             CompareCase{u"Hello, world.", u"hello world", true, false, 0},
             CompareCase{u"Hello, world.", u"hello world", false, true, 5},
             CompareCase{u"ab c", u"a bc", true, true, kMatch},
             CompareCase{u"abc", u"abcd", false, false, 3},
             CompareCase{u"abcd", u"abc", false, false, 3},
             CompareCase{u"", u"abc", false, false, 0},
             CompareCase{u"a\rb", u"ab", false, false, kMatch},
             // Korean with full-width punctuation, which only counts when asked.
             CompareCase{u"안녕하세요！", u"안녕 하세요", false, false, kMatch},
             CompareCase{u"안녕하세요！", u"안녕 하세요", false, true, 5},
             CompareCase{u"안녕하새요", u"안녕하세요", false, false, 3},
             // Japanese without spaces, and an ideographic space.
             CompareCase{u"私は\u3000学生です。", u"私は学生です", false, false, kMatch},
             CompareCase{u"私は学生だ", u"私は学生です", false, false, 4},
             // A character outside the BMP counts as two positions.
             CompareCase{u"\U0002000Bx", u"\U0002000By", false, false, 2},
             CompareCase{u"ÉCOLE", u"école", false, false, kMatch},
             CompareCase{u"ÉCOLE", u"école", true, false, 0},
         }) {
        EXPECT_EQ(TranscriptionCompare::FindFirstMismatch(c.transcription, c.original,
                                                          {c.caseSensitive, c.punctuation}),
                  c.expected)
            << QString::fromStdU16String(c.transcription).toStdString() << " / "
            << QString::fromStdU16String(c.original).toStdString();
    }
}

struct SplitCase {
    std::u16string text;
    bool lastPair;
    std::u16string tail;
    std::u16string rest;
};

TEST(SentenceDelimiters, CountsAndSplitsOffTheLastMember) {
    EXPECT_EQ(SentenceDelimiters::Format(3), u"[003]");
    EXPECT_EQ(SentenceDelimiters::Format(1234), u"[1234]");
    EXPECT_EQ(SentenceDelimiters::Count(u"[003] a [004] b [12] [0a1] [005]"), 3);
    EXPECT_EQ(SentenceDelimiters::Count(u"[[003]] [003"), 1);
    for (const SplitCase& c : {
             SplitCase{u"[003] a b [004] c", true, u"c", u"a b"},
             SplitCase{u"[001] x [002] y [003]  z ", false, u"z ", u"[001] x [002] y"},
             SplitCase{u"[001] \r[002]", true, u"", u""},
         }) {
        std::u16string rest = c.text;
        EXPECT_EQ(SentenceDelimiters::SplitOffLast(rest, c.lastPair), c.tail);
        EXPECT_EQ(rest, c.rest);
    }
}

TEST(WordSpan, TakesLettersLeftAndApostrophesOrHyphensRight) {
    const std::u16string text = u"a well-known don't";
    struct Case {
        int index;
        std::u16string word;
    };
    for (const Case& c : {Case{2, u"well-known"}, Case{9, u"known"}, Case{13, u"don't"},
                          Case{17, u"t"}, Case{1, u""}, Case{-1, u""}, Case{18, u""}}) {
        const WordSpan span = WordSpan::At(text, c.index);
        EXPECT_EQ(text.substr(span.start, span.Length()), c.word) << c.index;
    }
    EXPECT_EQ(WordSpan::Blanked(u"don't", 0), u"[]");
    EXPECT_EQ(WordSpan::Blanked(u"don't", 4), u"don'[]");
    EXPECT_EQ(WordSpan::Blanked(u"a  b", 1), u"a  b");
}

} // namespace
