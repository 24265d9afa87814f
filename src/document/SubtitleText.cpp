#include "document/SubtitleText.h"

#include "platform/CodePage.h"

#include <array>
#include <cstdio>

namespace subtitle_text {
namespace {

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xFEFF;
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads the digits at pos (at most maxDigits); nothing when there is none.
std::optional<std::int64_t> Digits(std::u16string_view text, size_t& pos, size_t maxDigits,
                                   size_t* count = nullptr) {
    std::int64_t value = 0;
    size_t n = 0;
    while (pos < text.size() && IsDigit(text[pos]) && n < maxDigits) {
        value = value * 10 + (text[pos++] - u'0');
        ++n;
    }
    if (count != nullptr) {
        *count = n;
    }
    return n == 0 ? std::nullopt : std::optional<std::int64_t>(value);
}

bool Lower(std::u16string_view text, std::u16string_view word) {
    if (text.size() < word.size()) {
        return false;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

// The SRT formatting tags: i, b, u and font, opening or closing.
bool IsFormattingTag(std::u16string_view tag) {
    if (!tag.empty() && tag[0] == u'/') {
        tag.remove_prefix(1);
    }
    for (std::u16string_view name : {u"i", u"b", u"u", u"font"}) {
        if (Lower(tag, name) && (tag.size() == name.size() || IsSpace(tag[name.size()]))) {
            return true;
        }
    }
    return false;
}

void AppendCodePoint(std::u16string& out, std::uint32_t cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        out.push_back(0xFFFD);
    } else if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

// The reference at text[0] == '&' up to its ';': the characters it stands for, or nothing.
std::optional<std::u16string> Entity(std::u16string_view text, size_t& length) {
    const size_t semicolon = text.find(u';');
    if (semicolon == std::u16string_view::npos || semicolon > 12) {
        return std::nullopt;
    }
    length = semicolon + 1;
    const std::u16string_view name = text.substr(1, semicolon - 1);
    static constexpr std::array<std::pair<std::u16string_view, char16_t>, 8> kNamed{{
        {u"amp", u'&'},
        {u"lt", u'<'},
        {u"gt", u'>'},
        {u"quot", u'"'},
        {u"apos", u'\''},
        {u"nbsp", 0x00A0},
        {u"lrm", 0x200E},
        {u"rlm", 0x200F},
    }};
    for (const auto& [entity, c] : kNamed) {
        if (name == entity) {
            return std::u16string(1, c);
        }
    }
    if (name.size() < 2 || name[0] != u'#') {
        return std::nullopt;
    }
    const bool hex = name[1] == u'x' || name[1] == u'X';
    std::uint32_t cp = 0;
    size_t digits = 0;
    for (char16_t c : name.substr(hex ? 2 : 1)) {
        int d = IsDigit(c) ? c - u'0' : -1;
        if (hex && d < 0 && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))) {
            d = (c | 0x20) - u'a' + 10;
        }
        if (d < 0 || ++digits > 6) {
            return std::nullopt;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    std::u16string out;
    AppendCodePoint(out, cp);
    return out;
}

} // namespace

std::u16string Decode(std::string_view bytes, std::uint8_t charSet) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return codepage::Utf8ToUtf16(bytes.substr(3));
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE');
    }
    return codepage::DecodeNarrow(bytes, charSet);
}

std::vector<std::u16string_view> Lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' || text[i] == u'\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::int64_t> ParseClock(std::u16string_view text, std::u16string_view separators,
                                       bool hoursOptional) {
    std::array<std::int64_t, 3> parts{};
    size_t count = 0;
    size_t pos = 0;
    for (;;) {
        auto value = Digits(text, pos, 9);
        if (!value || count == parts.size()) {
            return std::nullopt;
        }
        parts[count++] = *value;
        if (pos < text.size() && text[pos] == u':') {
            ++pos;
            continue;
        }
        break;
    }
    if (count < (hoursOptional ? 2u : 3u) || pos >= text.size() ||
        separators.find(text[pos]) == std::u16string_view::npos) {
        return std::nullopt;
    }
    ++pos;
    size_t digits = 0;
    auto fraction = Digits(text, pos, 3, &digits);
    if (!fraction || pos != text.size()) {
        return std::nullopt;
    }
    const std::int64_t hours = count == 3 ? parts[0] : 0;
    const std::int64_t minutes = parts[count - 2];
    const std::int64_t seconds = parts[count - 1];
    if (seconds > 59 || (count == 3 && minutes > 59)) {
        return std::nullopt;
    }
    const std::int64_t ms = digits == 1   ? *fraction * 100
                            : digits == 2 ? *fraction * 10
                                          : *fraction;
    return ((hours * 60 + minutes) * 60 + seconds) * 1000 + ms;
}

std::u16string StripTags(std::u16string_view text, bool allTags) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'<') {
            const size_t close = text.find(u'>', i + 1);
            if (close != std::u16string_view::npos &&
                (allTags || IsFormattingTag(text.substr(i + 1, close - i - 1)))) {
                i = close;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::u16string DecodeEntities(std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t length = 0;
        if (text[i] == u'&') {
            if (auto decoded = Entity(text.substr(i), length)) {
                out += *decoded;
                i += length - 1;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

std::string FormatClock(std::int64_t ms, char separator) {
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld%c%03lld",
                  static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                  static_cast<long long>(ms / 1000 % 60), separator,
                  static_cast<long long>(ms % 1000));
    return text;
}

} // namespace subtitle_text
