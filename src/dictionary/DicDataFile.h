#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The fields of one entry of a dictionary data file.
struct DicEntryData {
    std::uint32_t partOfSpeech = 0;
    std::string headword;
    std::string text2;
    std::string meaning;
    std::string text4;
};

// A dictionary data file: entries at the positions the index names, each a 32-bit
// part-of-speech word and four archive strings (narrow UTF-8, or wide text converted to it).
// Reads are bounded by the file: a position or a string length beyond its end gives no entry.
class DicDataFile {
public:
    // An entry larger than this is taken for damage.
    static constexpr std::size_t kMaxEntrySize = 16 * 1024 * 1024;

    DicDataFile() = default;
    ~DicDataFile();
    DicDataFile(const DicDataFile&) = delete;
    DicDataFile& operator=(const DicDataFile&) = delete;

    // Opens the file for reading, creating it empty first when it does not exist.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // False when the position or the entry lies (partly) beyond the file.
    bool ReadEntry(std::uint32_t position, DicEntryData& entry);

private:
    bool ParseAt(std::uint32_t position, std::size_t length, DicEntryData& entry, bool& shortRead);

    std::FILE* m_file = nullptr;
    std::uint64_t m_fileSize = 0;
};
