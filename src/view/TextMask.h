#pragma once

#include <cstdint>
#include <string>

class CEarlarkWaveSection;

// The Original Text as the Original Text box shows it: unmasked in editing mode, unmasked
// without braces after 20 plays, otherwise with every letter past the hint level of its
// word replaced by the mask character; text between "{" and "}" is never masked.
class TextMask {
public:
    static constexpr char16_t kCircle = u'\u25CF';
    static constexpr char16_t kBullet = u'\u2022';

    // U+25CF for Korean and Chinese, U+2022 for every other character set.
    static char16_t MaskCharacter(std::uint8_t charSet);
    static std::u16string MaskOriginalText(const CEarlarkWaveSection& sentence, bool editMode,
                                           std::uint8_t charSet);
    // Letters as the comparison classifies them (Unicode alphabetic).
    static bool IsLetter(char16_t c);
};
