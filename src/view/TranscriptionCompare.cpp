#include "view/TranscriptionCompare.h"

#include <QChar>

namespace {

bool Skipped(char16_t c, TranscriptionCompare::Options options) {
    return TranscriptionCompare::IsWhiteSpace(c) ||
           (!options.punctuation && TranscriptionCompare::IsPunctuation(c));
}

std::u16string Folded(const std::u16string& text, TranscriptionCompare::Options options) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        out += options.caseSensitive ? c : TranscriptionCompare::ToLower(c);
    }
    return out;
}

std::u16string Reduced(const std::u16string& text, TranscriptionCompare::Options options) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (!Skipped(c, options)) {
            out += c;
        }
    }
    return out;
}

// Walks both texts side by side, stepping over what does not count in either; the end of
// the original differs from every character.
int FirstDifference(const std::u16string& t, const std::u16string& o,
                    TranscriptionCompare::Options options) {
    std::size_t k = 0;
    std::size_t j = 0;
    while (k < t.size()) {
        if (Skipped(t[k], options)) {
            ++k;
        } else if (j < o.size() && Skipped(o[j], options)) {
            ++j;
        } else if (j < o.size() && t[k] == o[j]) {
            ++k;
            ++j;
        } else {
            break;
        }
    }
    return static_cast<int>(k);
}

} // namespace

int TranscriptionCompare::FindFirstMismatch(const std::u16string& transcription,
                                            const std::u16string& original, Options options) {
    const std::u16string t = Folded(transcription, options);
    const std::u16string o = Folded(original, options);
    if (Reduced(t, options) == Reduced(o, options)) {
        return kMatch;
    }
    return FirstDifference(t, o, options);
}

bool TranscriptionCompare::IsWhiteSpace(char16_t c) {
    if (c >= u'\t' && c <= u'\r') {
        return true;
    }
    switch (QChar(c).category()) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

bool TranscriptionCompare::IsPunctuation(char16_t c) {
    return QChar(c).isPunct();
}

char16_t TranscriptionCompare::ToLower(char16_t c) {
    return QChar(c).toLower().unicode();
}
