#include "view/WordSpan.h"

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool ContinuesWord(char16_t c) {
    return IsAsciiLetter(c) || c == u'\'' || c == u'-';
}

} // namespace

WordSpan WordSpan::At(const std::u16string& text, int index) {
    const int length = static_cast<int>(text.size());
    if (index < 0 || index >= length) {
        return {};
    }
    int start = index;
    while (start >= 0 && IsAsciiLetter(text[start])) {
        --start;
    }
    ++start;
    int end = index;
    while (end < length && ContinuesWord(text[end])) {
        ++end;
    }
    return {start, end > start ? end : start};
}

std::u16string WordSpan::Blanked(const std::u16string& text, int index) {
    const WordSpan span = At(text, index);
    if (span.IsEmpty()) {
        return text;
    }
    return text.substr(0, span.start) + u"[]" + text.substr(span.end);
}
