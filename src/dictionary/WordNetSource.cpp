#include "dictionary/WordNetSource.h"

#include "dictionary/DicKey.h"

#include <array>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace {

struct PartOfSpeech {
    const char* file;
    std::uint32_t flag;
    const char* label;
};

constexpr std::array<PartOfSpeech, 4> kParts{{
    {"data.noun", 0x01, "n."},
    {"data.verb", 0x40, "v."},
    {"data.adj", 0x04, "a."},
    {"data.adv", 0x08, "ad."},
}};

struct Headword {
    std::string word;
    std::uint32_t flags = 0;
    std::array<std::vector<std::string>, kParts.size()> glosses;
};

using HeadwordMap = std::unordered_map<std::string, Headword>;

// "short_circuit(p)" becomes "short circuit": underscores stand for spaces, and adjectives
// may carry a syntactic marker in parentheses.
std::string WordOf(std::string word) {
    if (!word.empty() && word.back() == ')') {
        if (std::size_t open = word.rfind('('); open != std::string::npos) {
            word.resize(open);
        }
    }
    for (char& c : word) {
        if (c == '_') {
            c = ' ';
        }
    }
    return word;
}

// The definition part of a gloss: up to the first quoted example.
std::string DefinitionOf(const std::string& line, std::size_t bar) {
    std::string gloss = line.substr(bar + 1);
    if (std::size_t example = gloss.find("; \""); example != std::string::npos) {
        gloss.resize(example);
    }
    const std::size_t first = gloss.find_first_not_of(" \t\"");
    const std::size_t last = gloss.find_last_not_of(" \t\r\n;");
    if (first == std::string::npos || last < first) {
        return {};
    }
    return gloss.substr(first, last - first + 1);
}

void AddSynset(const std::string& line, std::size_t part, HeadwordMap& words) {
    const std::size_t bar = line.find(" | ");
    if (bar == std::string::npos) {
        return;
    }
    std::istringstream fields(line.substr(0, bar));
    std::string offset, lexFile, type, countText;
    if (!(fields >> offset >> lexFile >> type >> countText)) {
        return;
    }
    const int count = static_cast<int>(std::strtol(countText.c_str(), nullptr, 16));
    const std::string definition = DefinitionOf(line, bar + 1);
    for (int k = 0; k < count; ++k) {
        std::string raw, lexId;
        if (!(fields >> raw >> lexId)) {
            return;
        }
        const std::string word = WordOf(raw);
        const std::string key = dickey::SearchKey(word);
        if (key.empty()) {
            continue;
        }
        Headword& entry = words[key];
        if (entry.word.empty() || word == key) {
            entry.word = word;
        }
        entry.flags |= kParts[part].flag;
        if (!definition.empty()) {
            entry.glosses[part].push_back(definition);
        }
    }
}

bool ReadPart(const std::string& folder, std::size_t part, HeadwordMap& words, std::string& error) {
    const std::string path = folder + "/" + kParts[part].file;
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        // The licence at the top of each file is indented.
        if (!line.empty() && line[0] != ' ') {
            AddSynset(line, part, words);
        }
    }
    return true;
}

std::string MeaningOf(const Headword& word) {
    std::string meaning;
    for (std::size_t part = 0; part < kParts.size(); ++part) {
        const auto& glosses = word.glosses[part];
        if (glosses.empty()) {
            continue;
        }
        if (!meaning.empty()) {
            meaning += '\n';
        }
        meaning += kParts[part].label;
        for (std::size_t k = 0; k < glosses.size(); ++k) {
            meaning += glosses.size() == 1 ? " " : " (" + std::to_string(k + 1) + ") ";
            meaning += glosses[k];
        }
    }
    return meaning;
}

} // namespace

bool WordNetSource::Read(const std::string& folder, std::vector<DicSourceEntry>& entries,
                         std::string& error) {
    HeadwordMap words;
    words.reserve(200000);
    for (std::size_t part = 0; part < kParts.size(); ++part) {
        if (!ReadPart(folder, part, words, error)) {
            return false;
        }
    }
    entries.reserve(entries.size() + words.size());
    for (auto& [key, word] : words) {
        DicSourceEntry entry;
        entry.key = key;
        entry.data.partOfSpeech = word.flags;
        entry.data.meaning = MeaningOf(word);
        entry.data.headword = std::move(word.word);
        entries.push_back(std::move(entry));
    }
    return true;
}
