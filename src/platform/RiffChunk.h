#pragma once

#include <cstdint>

// A four-character code as it is stored in a RIFF file, read as a little-endian integer.
constexpr std::uint32_t MakeFourCC(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

constexpr std::uint32_t kRiffId = MakeFourCC("RIFF");
constexpr std::uint32_t kListId = MakeFourCC("LIST");

// One chunk found by RiffReader. The declared size is kept as stored; `available` is how
// many bytes of contents really lie inside the enclosing chunk and the file, so a hostile
// size can never lead a reader past either.
struct RiffChunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;       // as declared in the chunk header
    std::uint32_t formType = 0;   // "RIFF" and "LIST" chunks only
    std::uint64_t dataOffset = 0; // first byte of the contents (after the form type)
    std::uint64_t available = 0;  // bytes of contents inside the parent and the file
    std::uint64_t end = 0;        // first byte after the chunk and its pad byte, clamped

    bool IsForm() const { return id == kRiffId || id == kListId; }
};
