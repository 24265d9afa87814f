#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Writes the study file's little-endian byte stream into memory: integers, length-prefixed
// narrow and wide texts, element counts and object tags.
class ArchiveWriter {
public:
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value) { WriteInt32(static_cast<std::int32_t>(value)); }
    void WriteUInt16(std::uint16_t value);
    void WriteByte(std::uint8_t value);

    // Narrow text: length prefix (bytes), then the bytes as given (UTF-8 here).
    void WriteNarrowText(std::string_view text);
    // Wide text: FF FE FF (the wide marker), length prefix (code units), UTF-16LE units.
    void WriteWideText(std::u16string_view text);
    void WriteCount(std::uint32_t count);

    // The tag before a record of a class written for the first time: FF FF, schema,
    // name length, name.
    void WriteNewClassTag(std::uint16_t schema, std::string_view className);
    // The tag before a further record of the class with index classIndex.
    void WriteClassTag(std::uint32_t classIndex);

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    void WriteLength(std::uint32_t length);

    std::vector<std::uint8_t> m_bytes;
};
