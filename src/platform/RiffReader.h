#pragma once

#include "platform/RiffChunk.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Buffered reading of a RIFF file by chunks: find a form, descend into sub-chunks one at a
// time, ascend past them, read and seek. Every chunk is clamped to its parent and to the
// file, so damaged or hostile size fields only shorten what can be read.
class RiffReader {
public:
    RiffReader() = default;
    ~RiffReader();
    RiffReader(const RiffReader&) = delete;
    RiffReader& operator=(const RiffReader&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    std::uint64_t FileSize() const { return m_fileSize; }

    // Finds the first top-level "RIFF" chunk of the given form type and positions the
    // reader on its first sub-chunk.
    bool FindForm(std::uint32_t formType, RiffChunk* form);
    // Reads the header of the sub-chunk of `parent` at the current position and positions
    // the reader on its contents. With an id, chunks of other ids are stepped over first.
    bool Descend(const RiffChunk& parent, RiffChunk* chunk, std::uint32_t id = 0);
    // Positions the reader on the first byte after the chunk (and its pad byte).
    bool Ascend(const RiffChunk& chunk) { return Seek(chunk.end); }

    // Reads at the current position; returns fewer bytes at the end of the file.
    std::size_t Read(void* buffer, std::size_t bytes);
    // Reads up to `bytes` of the chunk's contents from its start, never past its end.
    std::size_t ReadContents(const RiffChunk& chunk, void* buffer, std::size_t bytes);
    bool Seek(std::uint64_t offset);
    std::uint64_t Tell() const { return m_position; }

private:
    bool ReadHeader(std::uint64_t parentEnd, RiffChunk* chunk);

    std::FILE* m_file = nullptr;
    std::uint64_t m_fileSize = 0;
    std::uint64_t m_position = 0;
};
