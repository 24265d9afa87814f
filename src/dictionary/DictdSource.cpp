#include "dictionary/DictdSource.h"

#include "dictionary/DicKey.h"

#include <filesystem>
#include <fstream>
#include <zlib.h>

namespace {

int DigitValue(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

// The whole text of the dictionary; zlib reads a plain file as it is.
bool ReadText(const std::string& base, std::string& text, std::string& error) {
    std::string path = base + ".dict.dz";
    if (!std::filesystem::exists(path)) {
        path = base + ".dict";
    }
    gzFile file = gzopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot read " + base + ".dict.dz or " + base + ".dict";
        return false;
    }
    char buffer[1 << 16];
    int got = 0;
    while ((got = gzread(file, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    const bool ok = got == 0;
    gzclose(file);
    if (!ok) {
        error = "cannot decompress " + path;
    }
    return ok;
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string_view::npos ? std::string()
                                           : std::string(text.substr(first, last - first + 1));
}

} // namespace

bool DictdSource::DecodeNumber(std::string_view digits, std::uint32_t& value) {
    std::uint64_t number = 0;
    for (char c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0) {
            return false;
        }
        number = number * 64 + static_cast<std::uint64_t>(digit);
        if (number > 0xFFFFFFFFu) {
            return false;
        }
    }
    value = static_cast<std::uint32_t>(number);
    return !digits.empty();
}

bool DictdSource::Read(const std::string& base, std::vector<DicSourceEntry>& entries,
                       std::string& error) {
    std::string text;
    if (!ReadText(base, text, error)) {
        return false;
    }
    std::ifstream index(base + ".index");
    if (!index) {
        error = "cannot read " + base + ".index";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(index, line)) {
        ++lineNumber;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) {
            continue;
        }
        const std::string headword = line.substr(0, tab1);
        const std::size_t tab3 = line.find('\t', tab2 + 1);
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        const std::string_view view(line);
        if (!DecodeNumber(view.substr(tab1 + 1, tab2 - tab1 - 1), offset) ||
            !DecodeNumber(Trimmed(view.substr(tab2 + 1, tab3 - tab2 - 1)), length) ||
            offset > text.size() || length > text.size() - offset) {
            error = base + ".index line " + std::to_string(lineNumber) + ": bad offset or length";
            return false;
        }
        if (headword.starts_with("00-database") || headword.starts_with("00database")) {
            continue;
        }
        DicSourceEntry entry;
        entry.key = dickey::SearchKey(Trimmed(headword));
        if (entry.key.empty()) {
            continue;
        }
        entry.data.headword = Trimmed(headword);
        entry.data.meaning = Trimmed(std::string_view(text).substr(offset, length));
        entries.push_back(std::move(entry));
    }
    return true;
}
