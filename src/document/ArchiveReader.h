#pragma once

#include <cstdint>
#include <span>
#include <string>

// A text field as it was stored: study files carry texts in two forms, narrow (bytes in a
// code page) and wide (UTF-16), and either form may stand in any text field.
struct StoredText {
    bool wide = false;
    std::string narrow;
    std::u16string utf16;

    // The text as UTF-16; a narrow text is decoded with the study's character set.
    std::u16string ToUtf16(std::uint8_t charSet) const;
    // The text as UTF-8.
    std::string ToUtf8(std::uint8_t charSet) const;
};

// Reads the study file's little-endian byte stream. Every read is bounds-checked: reading
// past the end throws ArchiveError, so no input can make the reader leave its buffer.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32() { return static_cast<std::uint32_t>(ReadInt32()); }
    std::uint16_t ReadUInt16();
    std::uint8_t ReadByte();
    std::string ReadBytes(std::size_t count);

    StoredText ReadText();
    std::uint32_t ReadCount();

    std::size_t Remaining() const { return m_bytes.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }

private:
    std::uint32_t ReadLength(std::uint8_t firstByte);
    void Need(std::size_t count) const;

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};
