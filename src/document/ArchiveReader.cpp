#include "document/ArchiveReader.h"

#include "document/ArchiveError.h"
#include "document/ArchiveTags.h"
#include "platform/CodePage.h"

std::u16string StoredText::ToUtf16(std::uint8_t charSet) const {
    return wide ? utf16 : codepage::DecodeNarrow(narrow, charSet);
}

std::string StoredText::ToUtf8(std::uint8_t charSet) const {
    return codepage::Utf16ToUtf8(ToUtf16(charSet));
}

void ArchiveReader::Need(std::size_t count) const {
    if (count > Remaining()) {
        throw ArchiveError("unexpected end of file");
    }
}

std::uint8_t ArchiveReader::ReadByte() {
    Need(1);
    return m_bytes[m_pos++];
}

std::uint16_t ArchiveReader::ReadUInt16() {
    Need(2);
    std::uint16_t value = m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8);
    m_pos += 2;
    return value;
}

std::int32_t ArchiveReader::ReadInt32() {
    Need(4);
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k) {
        value = (value << 8) | m_bytes[m_pos + k];
    }
    m_pos += 4;
    return static_cast<std::int32_t>(value);
}

std::string ArchiveReader::ReadBytes(std::size_t count) {
    Need(count);
    std::string out(reinterpret_cast<const char*>(m_bytes.data() + m_pos), count);
    m_pos += count;
    return out;
}

// The length prefix after its first byte: one byte below 255, else a uint16 below 0xFFFE,
// else (uint16 0xFFFF) a 32-bit length. The value 0xFFFE is the wide marker, handled by
// ReadText.
std::uint32_t ArchiveReader::ReadLength(std::uint8_t firstByte) {
    if (firstByte < 0xFF) {
        return firstByte;
    }
    std::uint16_t word = ReadUInt16();
    if (word == archive_tags::kWideMarker) {
        throw ArchiveError("misplaced wide-text marker");
    }
    if (word < 0xFFFF) {
        return word;
    }
    return ReadUInt32();
}

StoredText ArchiveReader::ReadText() {
    StoredText text;
    std::uint8_t first = ReadByte();
    if (first == 0xFF && Remaining() >= 2 && m_bytes[m_pos] == 0xFE && m_bytes[m_pos + 1] == 0xFF) {
        m_pos += 2;
        text.wide = true;
        std::uint32_t units = ReadLength(ReadByte());
        Need(std::size_t{units} * 2);
        text.utf16.resize(units);
        for (auto& unit : text.utf16) {
            unit = static_cast<char16_t>(ReadUInt16());
        }
        return text;
    }
    text.narrow = ReadBytes(ReadLength(first));
    return text;
}

std::uint32_t ArchiveReader::ReadCount() {
    std::uint16_t count = ReadUInt16();
    if (count != 0xFFFF) {
        return count;
    }
    std::int32_t big = ReadInt32();
    if (big < 0) {
        throw ArchiveError("negative element count");
    }
    return static_cast<std::uint32_t>(big);
}
