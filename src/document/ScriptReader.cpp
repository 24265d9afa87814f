#include "document/ScriptReader.h"

#include "platform/CodePage.h"

#include <string_view>

namespace {

// The lead bytes of a double-byte character in the legacy code pages of the character sets.
bool IsLeadByte(std::uint8_t charSet, std::uint8_t b) {
    switch (charSet) {
    case 128: // CP932
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 129: // CP949
    case 134: // CP936
    case 136: // CP950
        return b >= 0x81 && b <= 0xFE;
    default:
        return false;
    }
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::u16string Trim(const std::u16string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsScriptSpace(text[first])) {
        ++first;
    }
    while (last > first && IsScriptSpace(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

} // namespace

bool IsScriptSpace(char16_t c) {
    if (c <= 0xFF) {
        return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0;
    }
    return c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

ScriptReader::ScriptReader(std::vector<std::uint8_t> bytes, std::uint8_t charSet)
    : m_bytes(std::move(bytes)), m_charSet(charSet) {
    const std::string_view all(reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size());
    if (all.size() >= 2 && m_bytes[0] == 0xFF && m_bytes[1] == 0xFE) {
        m_encoding = Encoding::Utf16;
        m_at = 2;
    } else if (codepage::IsValidUtf8(all)) {
        m_encoding = Encoding::Utf8;
        m_at = all.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    } else {
        m_encoding = Encoding::Legacy;
    }
}

std::optional<std::u16string> ScriptReader::NextText() {
    while (std::optional<std::u16string> unit = ReadUnit()) {
        std::u16string text = Trim(*unit);
        if (!text.empty()) {
            return text;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> ScriptReader::ReadUnit() {
    // A lone last byte of a wide file is no character.
    const std::size_t left = m_bytes.size() - m_at;
    if (left == 0 || (m_encoding == Encoding::Utf16 && left < 2)) {
        return std::nullopt;
    }
    return m_encoding == Encoding::Utf16 ? ReadWideUnit() : ReadNarrowUnit();
}

std::u16string ScriptReader::ReadWideUnit() {
    std::u16string unit;
    while (m_at + 1 < m_bytes.size() && unit.size() < kReadUnit) {
        const char16_t c = static_cast<char16_t>(m_bytes[m_at] | m_bytes[m_at + 1] << 8);
        if (c == u'\n') {
            m_at += 2;
            return unit;
        }
        // The two halves of a surrogate pair stay in one read.
        if (unit.size() + 1 == kReadUnit && IsHighSurrogate(c) && !unit.empty()) {
            break;
        }
        unit += c;
        m_at += 2;
    }
    if (m_at + 1 < m_bytes.size() && m_bytes[m_at] == '\n' && m_bytes[m_at + 1] == 0) {
        m_at += 2;
    }
    return unit;
}

// How many bytes from m_at one read takes: up to the LF or the read unit, cut back so that
// no character is split.
std::size_t ScriptReader::NarrowUnitLength(std::size_t available) const {
    const std::uint8_t* p = m_bytes.data() + m_at;
    std::size_t length = 0;
    while (length < available && length < kReadUnit && p[length] != '\n') {
        ++length;
    }
    if (length < kReadUnit || length == available || p[length] == '\n') {
        return length;
    }
    if (m_encoding == Encoding::Utf8) {
        // The next byte continues a sequence: end before the sequence starts.
        std::size_t cut = length;
        while (cut > 0 && (p[cut] & 0xC0) == 0x80) {
            --cut;
        }
        return cut > 0 ? cut : length;
    }
    // Walk the double-byte characters from the start: a lead byte last is left for the next.
    std::size_t i = 0;
    while (i < length) {
        const std::size_t width = IsLeadByte(m_charSet, p[i]) ? 2 : 1;
        if (i + width > length) {
            return i > 0 ? i : length;
        }
        i += width;
    }
    return length;
}

std::u16string ScriptReader::ReadNarrowUnit() {
    const std::size_t available = m_bytes.size() - m_at;
    const std::size_t length = NarrowUnitLength(available);
    const std::string_view bytes(reinterpret_cast<const char*>(m_bytes.data()) + m_at, length);
    m_at += length;
    if (m_at < m_bytes.size() && m_bytes[m_at] == '\n') {
        ++m_at;
    }
    return m_encoding == Encoding::Utf8 ? codepage::Utf8ToUtf16(bytes)
                                        : codepage::DecodeLegacy(bytes, m_charSet);
}
