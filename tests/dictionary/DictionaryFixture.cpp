#include "DictionaryFixture.h"

#include <fstream>

void DictionaryFiles::Write(const std::vector<std::pair<std::string, std::string>>& words,
                            DicFileWriter::Options options) {
    std::vector<DicSourceEntry> entries;
    for (const auto& [word, meaning] : words) {
        DicSourceEntry entry;
        entry.key = word;
        entry.data.headword = word;
        entry.data.meaning = meaning;
        entries.push_back(entry);
    }
    const std::string error = DicFileWriter::Write(entries, index, data, options);
    if (!error.empty()) {
        throw std::runtime_error(error);
    }
}

namespace {

void PutUInt32(std::string& out, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) {
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
    }
}

} // namespace

std::string NodeBytes(std::int32_t own, std::int32_t leftChild,
                      const std::vector<NodeEntry>& entries, std::size_t size) {
    std::string area;
    for (const auto& [child, value, key] : entries) {
        PutUInt32(area, static_cast<std::uint32_t>(child));
        PutUInt32(area, value);
        area += key;
        area += '\0';
    }
    std::string out;
    PutUInt32(out, static_cast<std::uint32_t>(own));
    PutUInt32(out, static_cast<std::uint32_t>(area.size()));
    PutUInt32(out, static_cast<std::uint32_t>(leftChild));
    out += area;
    out.resize(size, '\0');
    return out;
}

std::string EntryBytes(std::uint32_t partOfSpeech, const std::string& headword,
                       const std::string& meaning) {
    std::string out;
    PutUInt32(out, partOfSpeech);
    for (const std::string& text : {headword, std::string(), meaning, std::string()}) {
        out += static_cast<char>(text.size());
        out += text;
    }
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
