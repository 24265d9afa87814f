#pragma once

#include <string>

// A rectangle in screen pixels; right and bottom are exclusive.
struct PopupRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PopupRect&) const = default;
};

// The dictionary popup's geometry: a fixed width, a height from the wrapped meaning, and a
// place beside the word that stays inside the work area of the screen.
namespace popup_layout {

inline constexpr int kWidth = 280;
inline constexpr int kTextWidth = 276;
// Headword line and margins above and below the meaning.
inline constexpr int kExtraHeight = 24;
inline constexpr std::size_t kCutFrom = 1000;
inline constexpr std::size_t kLongest = 1100;
// The stepping marks "<" and ">" in popup coordinates.
inline constexpr PopupRect kPreviousMark{225, 2, 235, 12};
inline constexpr PopupRect kNextMark{238, 2, 248, 12};

// The meaning as the popup shows it: "[empty]" for none; one longer than 1,100 characters
// ends after the first punctuation at characters 1,000 to 1,099, else after 1,100.
// Characters are counted in Unicode code points, and a cut never splits one.
std::string DisplayedMeaning(const std::string& meaning);

// The popup of a meaning text height at an anchor (normally the lower left of the word):
// moved right or left into the work area, down below its top, or, when it would reach
// below the bottom, placed above the word's line with 2 pixels between.
PopupRect Place(int anchorX, int anchorY, int lineHeight, int textHeight,
                const PopupRect& workArea);

} // namespace popup_layout
