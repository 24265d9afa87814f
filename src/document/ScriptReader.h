#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reads a text script line by line as the import does: UTF-16LE after a leading FF FE;
// otherwise UTF-8 when the whole file is valid UTF-8 (a UTF-8 byte-order mark skipped), else
// the legacy code page of the study's character set. A read takes at most 998 characters
// (bytes in a narrow file, 16-bit units in a wide one) up to the next LF; a longer line goes
// on in the next read. A read never splits a character: it ends early instead.
class ScriptReader {
public:
    static constexpr std::size_t kReadUnit = 998;

    ScriptReader(std::vector<std::uint8_t> bytes, std::uint8_t charSet);

    // The next read, trimmed of white space at both ends, skipping reads that are empty after
    // trimming (blank lines, in files with CR LF or LF line ends alike); nothing at the end
    // of the file.
    std::optional<std::u16string> NextText();

private:
    enum class Encoding { Utf16, Utf8, Legacy };

    // One read, untrimmed; nothing when no character is left.
    std::optional<std::u16string> ReadUnit();
    std::u16string ReadWideUnit();
    std::u16string ReadNarrowUnit();
    std::size_t NarrowUnitLength(std::size_t available) const;

    std::vector<std::uint8_t> m_bytes;
    std::uint8_t m_charSet;
    Encoding m_encoding = Encoding::Utf8;
    std::size_t m_at = 0;
};

// True for the characters trimmed off script lines: the Unicode space, line and paragraph
// separators and the controls TAB to CR and NEL (as QChar::isSpace).
bool IsScriptSpace(char16_t c);
