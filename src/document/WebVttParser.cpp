#include "document/WebVttParser.h"

#include "document/SubtitleBlocks.h"
#include "document/SubtitleText.h"

namespace {

// The keyword alone, or followed by a space, tab or line end.
bool StartsWithWord(std::u16string_view line, std::u16string_view word) {
    return line.starts_with(word) &&
           (line.size() == word.size() || line[word.size()] == u' ' || line[word.size()] == u'\t');
}

} // namespace

SubtitleParse WebVttParser::Parse(std::u16string_view text) {
    const auto lines = subtitle_text::Lines(text);
    if (lines.empty() || !StartsWithWord(subtitle_text::Trim(lines[0]), u"WEBVTT")) {
        SubtitleParse result;
        result.error = "line 1: a WebVTT file starts with WEBVTT";
        return result;
    }
    // The header runs to the first blank line.
    size_t first = 1;
    while (first < lines.size() && !subtitle_text::Trim(lines[first]).empty()) {
        ++first;
    }
    SubtitleBlocks::Syntax syntax;
    syntax.fractionSeparators = u".";
    syntax.hoursOptional = true;
    syntax.allTags = true;
    syntax.skipBlock = [](std::u16string_view line) {
        return StartsWithWord(line, u"NOTE") || StartsWithWord(line, u"STYLE") ||
               StartsWithWord(line, u"REGION");
    };
    return SubtitleBlocks::Parse(lines, first, syntax);
}
