#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Buffered writing of a RIFF file by chunks. A created chunk gets its size filled in when it
// is closed (ascended), and an odd-sized chunk is padded to even length. Closing the file
// closes every chunk still open first, so even a file abandoned half-way carries valid
// chunk sizes for what was written. Sizes that would not fit the 32-bit size field fail.
class RiffWriter {
public:
    RiffWriter() = default;
    ~RiffWriter();
    RiffWriter(const RiffWriter&) = delete;
    RiffWriter& operator=(const RiffWriter&) = delete;

    bool Create(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }

    // Starts a chunk inside the innermost open one. "RIFF" and "LIST" chunks take a form type.
    bool CreateChunk(std::uint32_t id, std::uint32_t formType = 0);
    bool Write(const void* bytes, std::size_t count);
    // Closes the innermost open chunk.
    bool Ascend();
    // File offset of the next byte written.
    std::uint64_t Position() const { return m_position; }
    // Writes over bytes already written (a value known only later, such as a count), at
    // `offset`, then goes on at the end. The bytes must lie inside what was written.
    bool Overwrite(std::uint64_t offset, const void* bytes, std::size_t count);
    // Closes all open chunks and the file; false when any write since Create failed.
    bool Close();

private:
    bool WriteRaw(const void* bytes, std::size_t count);
    bool PatchSize(std::uint64_t sizeOffset, std::uint32_t size);
    bool WriteAt(std::uint64_t offset, const void* bytes, std::size_t count);

    std::FILE* m_file = nullptr;
    std::uint64_t m_position = 0;
    std::vector<std::uint64_t> m_open; // offsets of the size fields of the open chunks
    bool m_failed = false;
};
