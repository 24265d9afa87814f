#include "dictionary/DicKey.h"

namespace dickey {

namespace {

// The lower-case code point of a two-byte UTF-8 capital, or the code point itself.
char32_t LowerTwoByte(char32_t cp) {
    const bool latin1 = cp >= 0xC0 && cp <= 0xDE && cp != 0xD7;
    const bool greek = cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2;
    const bool cyrillic = cp >= 0x410 && cp <= 0x42F;
    if (latin1 || greek || cyrillic) {
        return cp + 0x20;
    }
    if (cp >= 0x400 && cp <= 0x40F) {
        return cp + 0x50;
    }
    return cp;
}

} // namespace

std::string LowerKey(std::string_view word) {
    std::string out;
    out.reserve(word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
            continue;
        }
        const bool lead = (c & 0xE0) == 0xC0;
        if (!lead || i + 1 >= word.size() ||
            (static_cast<unsigned char>(word[i + 1]) & 0xC0) != 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        char32_t cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(word[i + 1]) & 0x3F);
        cp = LowerTwoByte(cp);
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
        ++i;
    }
    return out;
}

std::string SearchKey(std::string_view word) {
    std::string key = LowerKey(word);
    if (key.size() > kMaxKeyLength) {
        key.resize(kMaxKeyLength);
    }
    return key;
}

} // namespace dickey
