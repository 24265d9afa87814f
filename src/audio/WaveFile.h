#pragma once

#include "platform/WaveFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// A RIFF WAVE file opened for reading its sample data: the chunk walk that finds the format
// and the data chunk, and reads of the data by offset. Every chunk size is checked against
// the file before it is trusted, so a truncated or hostile file is refused, never overrun.
class WaveFile {
public:
    // Results of Open.
    static constexpr int kPcm = 0;             // open, ready to play
    static constexpr int kNeedsConversion = 1; // a WAVE file this engine cannot play as is
    static constexpr int kUnreadable = -1;     // not a readable RIFF WAVE file

    WaveFile() = default;
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;
    ~WaveFile() { Close(); }

    // kPcm leaves the file open; any other result leaves it closed. The format and data
    // fields describe the file last opened and keep their values after Close.
    int Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Reads up to count bytes of the data chunk from position; returns the bytes read, fewer
    // at the end of the data chunk or of the file, 0 when no file is open.
    std::size_t ReadData(std::uint64_t position, std::uint8_t* out, std::size_t count);

    const WaveFormat& Format() const { return m_format; }
    // True when the last Open read a "fmt " chunk (whatever its result).
    bool HasFormat() const { return m_hasFormat; }
    std::uint32_t DataOffset() const { return m_dataOffset; }
    std::uint32_t DataSize() const { return m_dataSize; }
    const std::array<std::uint8_t, 4>& FactValue() const { return m_fact; }

private:
    struct ChunkHeader {
        std::array<char, 4> id{};
        std::uint32_t size = 0;
    };

    int WalkChunks();
    bool FindWaveForm(std::uint64_t& begin, std::uint64_t& end);
    int ReadFormatChunk(const ChunkHeader& chunk, std::uint64_t contents);
    bool ReadAt(std::uint64_t offset, void* out, std::size_t count);
    bool ReadHeader(std::uint64_t offset, ChunkHeader& header);

    std::FILE* m_file = nullptr;
    std::uint64_t m_fileSize = 0;
    WaveFormat m_format;
    bool m_hasFormat = false;
    std::uint32_t m_dataOffset = 0;
    std::uint32_t m_dataSize = 0;
    std::array<std::uint8_t, 4> m_fact{};
};
