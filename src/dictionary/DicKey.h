#pragma once

#include <string>
#include <string_view>

// Headword keys of the Mini-Dictionary: the index orders them byte by byte, so the builder
// and every lookup must lower-case them the same way.
namespace dickey {

// The longest key the index compares; longer words are cut to this many bytes.
inline constexpr std::size_t kMaxKeyLength = 99;

// Lower case for ASCII letters and for the capitals of Latin-1, Greek and Cyrillic written
// in UTF-8; every other byte is kept.
std::string LowerKey(std::string_view word);

// The first kMaxKeyLength bytes of a lower-cased word.
std::string SearchKey(std::string_view word);

inline bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace dickey
