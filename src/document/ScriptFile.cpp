#include "document/ScriptFile.h"

#include "document/ScriptImport.h"
#include "document/ScriptReader.h"
#include "document/ScriptWriter.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace script_file {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::optional<std::vector<std::uint8_t>> ReadAll(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    while (std::size_t got = std::fread(block, 1, sizeof block, file.get())) {
        bytes.insert(bytes.end(), block, block + got);
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

bool Export(const std::string& path, std::span<const CEarlarkWaveSection* const> sentences,
            const ScriptExportOptions& options, const std::tm& localTime) {
    const std::u16string date = options.date ? script_writer::DateLine(localTime) : u"";
    const std::vector<std::uint8_t> bytes = script_writer::Build(sentences, options, date);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool Import(const std::string& path, CEarlarkWaveSectionArray& sentences, std::uint8_t charSet,
            const ScriptImportOptions& options) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadAll(path);
    if (!bytes) {
        return false;
    }
    ScriptReader reader(std::move(*bytes), charSet);
    ImportScriptTexts(reader, sentences, options);
    return true;
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace script_file
