#include "view/TextMask.h"

#include "document/CEarlarkWaveSection.h"

#include <QChar>

namespace {

std::u16string WithoutBraces(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c != u'{' && c != u'}') {
            out += c;
        }
    }
    return out;
}

std::u16string MaskLetters(const std::u16string& text, std::uint32_t hintLevel, char16_t mask) {
    std::u16string out = text;
    bool insideBraces = false;
    bool previousWasLetter = false;
    std::uint32_t letterIndex = 0;
    for (char16_t& c : out) {
        if (insideBraces) {
            insideBraces = c != u'}';
        } else if (c == u'{') {
            insideBraces = true;
        } else if (TextMask::IsLetter(c)) {
            if (letterIndex >= hintLevel && (previousWasLetter || hintLevel == 0)) {
                c = mask;
            }
            previousWasLetter = true;
            ++letterIndex;
        } else {
            previousWasLetter = false;
            letterIndex = 0;
        }
    }
    return out;
}

} // namespace

char16_t TextMask::MaskCharacter(std::uint8_t charSet) {
    return charSet == 129 || charSet == 134 || charSet == 136 ? kCircle : kBullet;
}

bool TextMask::IsLetter(char16_t c) {
    return QChar(c).isLetter();
}

std::u16string TextMask::MaskOriginalText(const CEarlarkWaveSection& sentence, bool editMode,
                                          std::uint8_t charSet) {
    const std::u16string& original = sentence.m_strOriginal;
    if (editMode) {
        return original;
    }
    if (sentence.m_nPlayCount >= 20) {
        return WithoutBraces(original);
    }
    std::u16string masked = MaskLetters(original, sentence.m_nHintLevel, MaskCharacter(charSet));
    std::u16string spaced;
    spaced.reserve(masked.size() * 2);
    for (char16_t c : masked) {
        spaced += c;
        if (c == u' ') {
            spaced += u' ';
        }
    }
    return WithoutBraces(spaced);
}
