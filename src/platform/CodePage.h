#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text encodings. Narrow texts of this program are UTF-8; narrow texts read from older
// files may be in the legacy code page of the study's character set instead.
namespace codepage {

bool IsValidUtf8(std::string_view bytes);

// UTF-8 to UTF-16 and back. Invalid sequences become U+FFFD; unpaired surrogates too.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// The legacy code page of a character set: 0 Windows-1252, 128 CP932, 129 CP949,
// 134 CP936, 136 CP950; any other value falls back to Windows-1252.
const char* LegacyCodePageName(std::uint8_t charSet);

// A narrow text as stored by any version of the program: UTF-8 when it is valid UTF-8,
// otherwise decoded from the character set's legacy code page.
std::u16string DecodeNarrow(std::string_view bytes, std::uint8_t charSet);
// Bytes in the character set's legacy code page, whatever else they might also be.
std::u16string DecodeLegacy(std::string_view bytes, std::uint8_t charSet);

} // namespace codepage
