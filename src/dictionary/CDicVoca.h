#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class MiniDictionary;

// One Mini-Dictionary entry, and the lookups that fill it. The search position that
// stepping goes on from belongs to the dictionary, so every entry of one dictionary steps
// from wherever the last lookup left it.
class CDicVoca {
public:
    static constexpr int kStepped = 1;
    static constexpr int kAtEnd = -2;

    explicit CDicVoca(MiniDictionary& dictionary) : m_dictionary(dictionary) {}

    // The first entry of exactly this word (lower-cased); false leaves the entry as it was.
    bool LookupExact(std::string_view word);
    // The entry of the word, else of its letters alone, else of it without its first
    // matching suffix, else the first headword after the last key tried. False for an empty
    // word, a word without letters, or when no headword is at or after the key.
    bool LookupWord(std::string_view word);
    // The next (forward) or previous headword in key order: kStepped, or kAtEnd with the
    // entry and position unchanged.
    int Step(bool forward);

    // The abbreviations of the part-of-speech bits, in their fixed order.
    static std::string PartOfSpeechText(std::uint32_t flags);

    std::uint32_t m_dwPos = 0;
    std::uint32_t m_nPos = 0;
    std::string m_strWord;
    std::string m_strText2;
    std::string m_strMeaning;
    std::string m_strText4;

private:
    bool ReadCurrent();

    MiniDictionary& m_dictionary;
};
