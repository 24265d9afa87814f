#pragma once

#include <string>

// The "[NNN]" marks that stand before each member's text in a sentence group: an opening
// square bracket, exactly three decimal digits and a closing square bracket.
class SentenceDelimiters {
public:
    static constexpr int kLength = 5;

    // "[%03d]" of a 1-based list position.
    static std::u16string Format(int position);
    // The last delimiter starting at or before `from` (from the end when negative), or -1.
    static int FindBackward(const std::u16string& text, int from = -1);
    static int Count(const std::u16string& text);

    // Takes the last member's text off a group text: returns what follows the last
    // delimiter (leading white space dropped) and leaves in `text` what precedes it
    // (trailing white space dropped). With `lastPair` the delimiter left in front of the
    // remaining text goes too. The text must hold a delimiter.
    static std::u16string SplitOffLast(std::u16string& text, bool lastPair);

    static std::u16string TrimLeft(const std::u16string& text);
    static std::u16string TrimRight(const std::u16string& text);
};
