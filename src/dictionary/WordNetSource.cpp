#include "dictionary/WordNetSource.h"

#include "dictionary/DicKey.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unordered_map>

namespace {

struct PartOfSpeech {
    const char* file;
    // The lemmas with their synsets, most frequent sense first.
    const char* index;
    // The irregular forms of the part of speech and their base forms.
    const char* exceptions;
    std::uint32_t flag;
    const char* label;
};

constexpr std::array<PartOfSpeech, 4> kParts{{
    {"data.noun", "index.noun", "noun.exc", 0x01, "n."},
    {"data.verb", "index.verb", "verb.exc", 0x40, "v."},
    {"data.adj", "index.adj", "adj.exc", 0x04, "a."},
    {"data.adv", "index.adv", "adv.exc", 0x08, "ad."},
}};

struct Headword {
    std::string word;
    std::uint32_t flags = 0;
    // Per part of speech: the synset offset and definition of each sense.
    std::array<std::vector<std::pair<std::string, std::string>>, kParts.size()> glosses;
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
            entry.glosses[part].emplace_back(offset, definition);
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

// Puts a lemma's senses in the order of the index file (most frequent first); senses the
// index does not list stay behind, in file order.
void OrderSenses(const std::string& line, std::size_t part, HeadwordMap& words) {
    std::istringstream fields(line);
    std::string lemma, pos, synsets, pointers, skip;
    if (!(fields >> lemma >> pos >> synsets >> pointers)) {
        return;
    }
    auto found = words.find(dickey::SearchKey(WordOf(lemma)));
    const int pointerCount = std::atoi(pointers.c_str());
    for (int k = 0; k < pointerCount + 2 && fields >> skip; ++k) {
    }
    if (found == words.end()) {
        return;
    }
    std::vector<std::string> order{std::istream_iterator<std::string>(fields), {}};
    auto rank = [&order](const auto& gloss) {
        return std::find(order.begin(), order.end(), gloss.first) - order.begin();
    };
    auto& glosses = found->second.glosses[part];
    std::stable_sort(glosses.begin(), glosses.end(),
                     [&rank](const auto& a, const auto& b) { return rank(a) < rank(b); });
}

// The index files are optional: without them the senses keep the order of the data file.
void ReadSenseOrder(const std::string& folder, std::size_t part, HeadwordMap& words) {
    std::ifstream in(folder + "/" + kParts[part].index);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != ' ') {
            OrderSenses(line, part, words);
        }
    }
}

std::string PartMeaning(const Headword& word, std::size_t part) {
    const auto& glosses = word.glosses[part];
    std::string meaning = kParts[part].label;
    for (std::size_t k = 0; k < glosses.size(); ++k) {
        meaning += glosses.size() == 1 ? " " : " (" + std::to_string(k + 1) + ") ";
        meaning += glosses[k].second;
    }
    return meaning;
}

std::string MeaningOf(const Headword& word) {
    std::string meaning;
    for (std::size_t part = 0; part < kParts.size(); ++part) {
        if (word.glosses[part].empty()) {
            continue;
        }
        if (!meaning.empty()) {
            meaning += '\n';
        }
        meaning += PartMeaning(word, part);
    }
    return meaning;
}

// Irregular forms without a headword of their own ("went", "mice") get an entry that
// names the base form and gives its meaning for that part of speech: the lookup's suffix
// rules cannot find them. The exception lists are optional.
void AddIrregularForms(const std::string& folder, std::size_t part, const HeadwordMap& words,
                       std::vector<DicSourceEntry>& entries) {
    std::ifstream in(folder + "/" + kParts[part].exceptions);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string form, base;
        fields >> form;
        const std::string key = dickey::SearchKey(WordOf(form));
        if (key.empty() || words.count(key) != 0) {
            continue;
        }
        while (fields >> base) {
            auto found = words.find(dickey::SearchKey(WordOf(base)));
            if (found == words.end() || found->second.glosses[part].empty()) {
                continue;
            }
            DicSourceEntry entry;
            entry.key = key;
            entry.data.headword = WordOf(form);
            entry.data.partOfSpeech = kParts[part].flag;
            entry.data.meaning =
                "\xE2\x86\x92 " + found->second.word + "\n" + PartMeaning(found->second, part);
            entries.push_back(std::move(entry));
        }
    }
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
        ReadSenseOrder(folder, part, words);
    }
    std::vector<DicSourceEntry> irregular;
    for (std::size_t part = 0; part < kParts.size(); ++part) {
        AddIrregularForms(folder, part, words, irregular);
    }
    entries.reserve(entries.size() + words.size() + irregular.size());
    for (auto& [key, word] : words) {
        DicSourceEntry entry;
        entry.key = key;
        entry.data.partOfSpeech = word.flags;
        entry.data.meaning = MeaningOf(word);
        entry.data.headword = std::move(word.word);
        entries.push_back(std::move(entry));
    }
    std::move(irregular.begin(), irregular.end(), std::back_inserter(entries));
    return true;
}
