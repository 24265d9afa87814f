// The transcription check and the Original Text mask on arbitrary UTF-16 texts: the first
// half of the input is the transcription, the rest the original; the first byte chooses
// the options, the hint level and the play count.
#include "document/CEarlarkWaveSection.h"
#include "view/TextMask.h"
#include "view/TranscriptionCompare.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::uint8_t options = data[0];
    std::u16string text((size - 1) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[1 + 2 * i] | data[2 + 2 * i] << 8);
    }
    const std::u16string transcription = text.substr(0, text.size() / 2);
    const std::u16string original = text.substr(text.size() / 2);
    const int k = TranscriptionCompare::FindFirstMismatch(
        transcription, original, {(options & 1) != 0, (options & 2) != 0});
    if (k != TranscriptionCompare::kMatch &&
        (k < 0 || static_cast<std::size_t>(k) > transcription.size())) {
        std::abort();
    }
    CEarlarkWaveSection sentence;
    sentence.m_strOriginal = original;
    sentence.m_nHintLevel = options >> 2 & 7;
    sentence.m_nPlayCount = options >> 5 == 7 ? 20 : options >> 5;
    TextMask::MaskOriginalText(sentence, false, options & 4 ? 129 : 0);
    return 0;
}
