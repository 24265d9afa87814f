#include "dictionary/DicDataFile.h"

#include "document/ArchiveError.h"
#include "document/ArchiveReader.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

// The archive buffer of the first read; longer entries are read again in one piece.
constexpr std::size_t kFirstRead = 4096;

// Narrow texts are UTF-8; older dictionaries may hold Windows-1252 instead.
std::string NarrowText(StoredText text) {
    if (!text.wide && codepage::IsValidUtf8(text.narrow)) {
        return std::move(text.narrow);
    }
    return text.ToUtf8(0);
}

} // namespace

DicDataFile::~DicDataFile() {
    Close();
}

bool DicDataFile::Open(const std::string& path) {
    Close();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        std::FILE* created = std::fopen(path.c_str(), "ab");
        if (created == nullptr) {
            return false;
        }
        std::fclose(created);
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return false;
    }
    m_file = std::fopen(path.c_str(), "rb");
    m_fileSize = size;
    return m_file != nullptr;
}

void DicDataFile::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool DicDataFile::ReadEntry(std::uint32_t position, DicEntryData& entry) {
    if (m_file == nullptr || position >= m_fileSize) {
        return false;
    }
    const std::uint64_t available = std::min<std::uint64_t>(m_fileSize - position, kMaxEntrySize);
    bool shortRead = false;
    const std::size_t first = std::min<std::uint64_t>(available, kFirstRead);
    if (ParseAt(position, first, entry, shortRead)) {
        return true;
    }
    return shortRead && first < available && ParseAt(position, available, entry, shortRead);
}

bool DicDataFile::ParseAt(std::uint32_t position, std::size_t length, DicEntryData& entry,
                          bool& shortRead) {
    std::vector<std::uint8_t> bytes(length);
    if (std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0 ||
        std::fread(bytes.data(), 1, length, m_file) != length) {
        shortRead = false;
        return false;
    }
    try {
        ArchiveReader reader(bytes);
        DicEntryData read;
        read.partOfSpeech = reader.ReadUInt32();
        read.headword = NarrowText(reader.ReadText());
        read.text2 = NarrowText(reader.ReadText());
        read.meaning = NarrowText(reader.ReadText());
        read.text4 = NarrowText(reader.ReadText());
        entry = std::move(read);
        return true;
    } catch (const ArchiveError&) {
        shortRead = true;
        return false;
    }
}
