#include "platform/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace codepage {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at bytes[i]; advances i. Returns false on an invalid sequence
// (overlong forms, surrogates and values above U+10FFFF are invalid).
bool DecodeOne(std::string_view bytes, size_t& i, char32_t& out) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    unsigned char lead = byte(i);
    int extra = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        out = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, out = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, out = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, out = lead & 0x07, min = 0x10000;
    } else {
        ++i;
        return false;
    }
    if (i + extra >= bytes.size()) {
        ++i;
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        out = (out << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    return out >= min && out <= 0x10FFFF && !(out >= 0xD800 && out <= 0xDFFF);
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Windows-1252 decoded by table, so the common case needs no iconv and never fails:
// the five unassigned bytes map to the C1 controls of the same value.
std::u16string DecodeWindows1252(std::string_view bytes) {
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        out.push_back(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b));
    }
    return out;
}

// Multi-byte code pages through iconv; a byte sequence the code page rejects becomes
// U+FFFD and decoding goes on with the next byte.
std::u16string DecodeWithIconv(std::string_view bytes, const char* codePage) {
    iconv_t cd = iconv_open("UTF-16LE", codePage);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return DecodeWindows1252(bytes);
    }
    std::u16string out;
    std::vector<char> in(bytes.begin(), bytes.end());
    char* inPtr = in.data();
    size_t inLeft = in.size();
    std::vector<char> buffer(bytes.size() * 4 + 16);
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        size_t produced = buffer.size() - outLeft;
        for (size_t k = 0; k + 1 < produced; k += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(buffer[k]) |
                                                static_cast<unsigned char>(buffer[k + 1]) << 8));
        }
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.push_back(static_cast<char16_t>(kReplacement));
            // A converter may report a failure after it has taken the last byte.
            if (inLeft == 0) {
                break;
            }
            ++inPtr;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    char32_t c = 0;
    while (i < bytes.size()) {
        if (!DecodeOne(bytes, i, c)) {
            return false;
        }
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        AppendUtf16(out, DecodeOne(utf8, i, c) ? c : kReplacement);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

const char* LegacyCodePageName(std::uint8_t charSet) {
    switch (charSet) {
    case 128:
        return "CP932";
    case 129:
        return "CP949";
    case 134:
        return "CP936";
    case 136:
        return "CP950";
    default:
        return "CP1252";
    }
}

std::u16string DecodeNarrow(std::string_view bytes, std::uint8_t charSet) {
    if (IsValidUtf8(bytes)) {
        return Utf8ToUtf16(bytes);
    }
    return DecodeLegacy(bytes, charSet);
}

std::u16string DecodeLegacy(std::string_view bytes, std::uint8_t charSet) {
    const char* codePage = LegacyCodePageName(charSet);
    if (std::string_view(codePage) == "CP1252") {
        return DecodeWindows1252(bytes);
    }
    return DecodeWithIconv(bytes, codePage);
}

} // namespace codepage
