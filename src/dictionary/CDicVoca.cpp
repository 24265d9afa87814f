#include "dictionary/CDicVoca.h"

#include "dictionary/DicKey.h"
#include "dictionary/MiniDictionary.h"

#include <array>

namespace {

// The letters-only form: from the first ASCII letter of the word's first 49 characters to
// just before the next character that is not one.
std::string LettersOnly(std::string_view word) {
    word = word.substr(0, 49);
    std::size_t start = 0;
    while (start < word.size() && !dickey::IsAsciiLetter(word[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < word.size() && dickey::IsAsciiLetter(word[end])) {
        ++end;
    }
    return std::string(word.substr(start, end - start));
}

constexpr std::array<std::string_view, 7> kSuffixes{"less", "ness", "ing", "ion", "ed", "ly", "s"};

} // namespace

bool CDicVoca::ReadCurrent() {
    DicIndex& index = m_dictionary.Index();
    const std::uint32_t position = index.Current().value & 0x7FFFFFFFu;
    DicEntryData data;
    if (!index.AtEntry() || !m_dictionary.Data().ReadEntry(position, data)) {
        return false;
    }
    m_dwPos = data.partOfSpeech;
    m_nPos = position;
    m_strWord = std::move(data.headword);
    m_strText2 = std::move(data.text2);
    m_strMeaning = std::move(data.meaning);
    m_strText4 = std::move(data.text4);
    return true;
}

bool CDicVoca::LookupExact(std::string_view word) {
    if (!m_dictionary.DictionaryReady()) {
        return false;
    }
    return m_dictionary.Index().ExactSearch(dickey::SearchKey(word)) && ReadCurrent();
}

bool CDicVoca::LookupWord(std::string_view word) {
    if (word.empty() || !m_dictionary.DictionaryReady()) {
        return false;
    }
    DicIndex& index = m_dictionary.Index();
    const std::string key = dickey::SearchKey(word);
    int result = index.NearestSearch(key);
    if (result != DicIndex::kFound) {
        const std::string letters = dickey::LowerKey(LettersOnly(word));
        if (letters.empty()) {
            return false;
        }
        // The same key would only reach the same place again.
        if (letters != key) {
            result = index.NearestSearch(dickey::SearchKey(letters));
        }
        if (result != DicIndex::kFound) {
            for (std::string_view suffix : kSuffixes) {
                if (suffix.size() < letters.size() && letters.ends_with(suffix)) {
                    result = index.NearestSearch(letters.substr(0, letters.size() - suffix.size()));
                    break;
                }
            }
        }
    }
    // When the last search reached no headword, what the key buffer still holds belongs to
    // an earlier search: nothing is shown rather than that.
    return result != DicIndex::kEnd && ReadCurrent();
}

int CDicVoca::Step(bool forward) {
    DicIndex& index = m_dictionary.Index();
    if (!m_dictionary.DictionaryReady() || !index.AtEntry()) {
        return kAtEnd;
    }
    const DicIndex::State saved = index.SaveState();
    const int result = forward ? index.Successor() : index.Predecessor();
    if (result == DicIndex::kFound && ReadCurrent()) {
        return kStepped;
    }
    index.RestoreState(saved);
    return kAtEnd;
}

std::string CDicVoca::PartOfSpeechText(std::uint32_t flags) {
    constexpr std::array<std::pair<std::uint32_t, const char*>, 6> kParts{{
        {0x01, "n."},
        {0x04, "a."},
        {0x02, "vt."},
        {0x10, "vi."},
        {0x40, "v."},
        {0x08, "ad."},
    }};
    std::string text;
    for (const auto& [bit, abbreviation] : kParts) {
        if (flags & bit) {
            text += abbreviation;
        }
    }
    return text;
}
