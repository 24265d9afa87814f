#include "view/SentenceDelimiters.h"

#include "view/TranscriptionCompare.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool DelimiterAt(const std::u16string& text, std::size_t at) {
    return at + SentenceDelimiters::kLength <= text.size() && text[at] == u'[' &&
           IsDigit(text[at + 1]) && IsDigit(text[at + 2]) && IsDigit(text[at + 3]) &&
           text[at + 4] == u']';
}

std::u16string AfterDelimiter(const std::u16string& text, int at) {
    return SentenceDelimiters::TrimLeft(text.substr(at + SentenceDelimiters::kLength));
}

} // namespace

std::u16string SentenceDelimiters::Format(int position) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "[%03d]", position);
    return std::u16string(text, text + std::max(length, 0));
}

int SentenceDelimiters::FindBackward(const std::u16string& text, int from) {
    const int last = static_cast<int>(text.size()) - 1;
    for (int at = from < 0 ? last : std::min(from, last); at >= 0; --at) {
        if (DelimiterAt(text, static_cast<std::size_t>(at))) {
            return at;
        }
    }
    return -1;
}

int SentenceDelimiters::Count(const std::u16string& text) {
    int count = 0;
    for (int at = FindBackward(text); at >= 0; at = at > 0 ? FindBackward(text, at - 1) : -1) {
        ++count;
    }
    return count;
}

std::u16string SentenceDelimiters::SplitOffLast(std::u16string& text, bool lastPair) {
    const int at = FindBackward(text);
    std::u16string tail = AfterDelimiter(text, at);
    text = TrimRight(text.substr(0, at));
    if (lastPair) {
        const int first = FindBackward(text);
        if (first >= 0) {
            text = AfterDelimiter(text, first);
        }
    }
    return tail;
}

std::u16string SentenceDelimiters::TrimLeft(const std::u16string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && TranscriptionCompare::IsWhiteSpace(text[begin])) {
        ++begin;
    }
    return text.substr(begin);
}

std::u16string SentenceDelimiters::TrimRight(const std::u16string& text) {
    std::size_t end = text.size();
    while (end > 0 && TranscriptionCompare::IsWhiteSpace(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}
