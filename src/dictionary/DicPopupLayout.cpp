#include "dictionary/DicPopupLayout.h"

#include <vector>

namespace popup_layout {

namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offsets where each code point starts.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuation(text[i])) {
            starts.push_back(i);
        }
    }
    return starts;
}

bool IsPunctuation(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && ((u >= 0x21 && u <= 0x2F) || (u >= 0x3A && u <= 0x40) ||
                        (u >= 0x5B && u <= 0x60) || (u >= 0x7B && u <= 0x7E));
}

} // namespace

std::string DisplayedMeaning(const std::string& meaning) {
    if (meaning.empty()) {
        return "[empty]";
    }
    const std::vector<std::size_t> starts = CharacterStarts(meaning);
    if (starts.size() <= kLongest) {
        return meaning;
    }
    std::size_t cut = kLongest + 1;
    for (std::size_t k = kCutFrom; k < kLongest; ++k) {
        if (IsPunctuation(meaning[starts[k]])) {
            cut = k + 1;
            break;
        }
    }
    return cut < starts.size() ? meaning.substr(0, starts[cut]) : meaning;
}

PopupRect Place(int anchorX, int anchorY, int lineHeight, int textHeight,
                const PopupRect& workArea) {
    const int height = textHeight + kExtraHeight;
    PopupRect rect{anchorX, anchorY, anchorX + kWidth, anchorY + height};
    if (rect.left < workArea.left) {
        rect.left = workArea.left;
    } else if (rect.right > workArea.right) {
        rect.left = workArea.right - kWidth;
    }
    rect.right = rect.left + kWidth;
    if (rect.top < workArea.top) {
        rect.top = workArea.top;
        rect.bottom = rect.top + height;
    } else if (rect.bottom > workArea.bottom) {
        rect.bottom = anchorY - lineHeight - 2;
        rect.top = rect.bottom - height;
    }
    return rect;
}

} // namespace popup_layout
