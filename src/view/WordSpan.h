#pragma once

#include <string>

// The word under a character of a box text, as the look-up and the Shift+click blank find
// it: ASCII letters to the left, ASCII letters, apostrophes and hyphens to the right, so
// "well-known" clicked on its first letter is one word and clicked inside "known" is
// "known".
struct WordSpan {
    int start = 0;
    int end = 0;

    bool IsEmpty() const { return end <= start; }
    int Length() const { return end - start; }

    // The span around `index`; empty when there is no such character or no word there.
    static WordSpan At(const std::u16string& text, int index);
    // The text with the word at `index` replaced by "[]"; unchanged when there is none.
    static std::u16string Blanked(const std::u16string& text, int index);
};
