#include "document/ArchiveWriter.h"

#include "document/ArchiveTags.h"

void ArchiveWriter::WriteInt32(std::int32_t value) {
    auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(u >> shift));
    }
}

void ArchiveWriter::WriteUInt16(std::uint16_t value) {
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteByte(std::uint8_t value) {
    m_bytes.push_back(value);
}

void ArchiveWriter::WriteLength(std::uint32_t length) {
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(length);
    }
}

void ArchiveWriter::WriteNarrowText(std::string_view text) {
    WriteLength(static_cast<std::uint32_t>(text.size()));
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

void ArchiveWriter::WriteWideText(std::u16string_view text) {
    WriteByte(0xFF);
    WriteUInt16(archive_tags::kWideMarker);
    WriteLength(static_cast<std::uint32_t>(text.size()));
    for (char16_t unit : text) {
        WriteUInt16(static_cast<std::uint16_t>(unit));
    }
}

void ArchiveWriter::WriteCount(std::uint32_t count) {
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<std::uint16_t>(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(count);
    }
}

void ArchiveWriter::WriteNewClassTag(std::uint16_t schema, std::string_view className) {
    WriteUInt16(archive_tags::kNewClass);
    WriteUInt16(schema);
    WriteUInt16(static_cast<std::uint16_t>(className.size()));
    m_bytes.insert(m_bytes.end(), className.begin(), className.end());
}

void ArchiveWriter::WriteClassTag(std::uint32_t classIndex) {
    if (classIndex < archive_tags::kBigIndex) {
        WriteUInt16(static_cast<std::uint16_t>(archive_tags::kClassFlag | classIndex));
    } else {
        WriteUInt16(archive_tags::kBigIndex);
        WriteUInt32(archive_tags::kBigClassFlag | classIndex);
    }
}
