#pragma once

#include <string>

// Checks a transcription against the Original Text. White space never counts; letter case
// and punctuation count only when asked. Characters are classified as Unicode does (the
// same classes whatever the study's language), positions are UTF-16 code units.
class TranscriptionCompare {
public:
    static constexpr int kMatch = -7;

    struct Options {
        bool caseSensitive = false;
        bool punctuation = false;
    };

    // kMatch, or the position in the transcription of its first character that does not
    // match (its length when it ran out before the original did).
    static int FindFirstMismatch(const std::u16string& transcription,
                                 const std::u16string& original, Options options);

    // Space separators, line and paragraph separators, and the C0 spaces (tab to CR).
    static bool IsWhiteSpace(char16_t c);
    static bool IsPunctuation(char16_t c);
    // The simple (one-to-one) lower-case mapping.
    static char16_t ToLower(char16_t c);
};
