#include "document/SubtitleBlocks.h"

#include "document/SubtitleText.h"

namespace {

std::string At(size_t index) {
    return "line " + std::to_string(index + 1) + ": ";
}

bool Blank(std::u16string_view line) {
    return subtitle_text::Trim(line).empty();
}

} // namespace

bool SubtitleBlocks::ParseTiming(std::u16string_view line, const Syntax& syntax, SubtitleCue& cue,
                                 std::string& error) {
    const size_t arrow = line.find(u"-->");
    const std::u16string_view startText = subtitle_text::Trim(line.substr(0, arrow));
    std::u16string_view endText = subtitle_text::Trim(line.substr(arrow + 3));
    // Cue settings (WebVTT) or position hints (SRT) may follow the end time.
    endText = endText.substr(0, endText.find_first_of(u" \t"));
    const auto start =
        subtitle_text::ParseClock(startText, syntax.fractionSeparators, syntax.hoursOptional);
    const auto end =
        subtitle_text::ParseClock(endText, syntax.fractionSeparators, syntax.hoursOptional);
    if (!start || !end) {
        error = "cannot read the cue times";
        return false;
    }
    if (*end < *start) {
        error = "the cue ends before it starts";
        return false;
    }
    cue.startMs = *start;
    cue.endMs = *end;
    return true;
}

SubtitleParse SubtitleBlocks::Parse(const std::vector<std::u16string_view>& lines, size_t first,
                                    const Syntax& syntax) {
    SubtitleParse result;
    size_t i = first;
    while (i < lines.size()) {
        if (Blank(lines[i])) {
            ++i;
            continue;
        }
        if (syntax.skipBlock && syntax.skipBlock(subtitle_text::Trim(lines[i]))) {
            while (i < lines.size() && !Blank(lines[i])) {
                ++i;
            }
            continue;
        }
        // An identifier line (the SRT counter, a WebVTT cue id) stands before the timing.
        if (lines[i].find(u"-->") == std::u16string_view::npos) {
            ++i;
        }
        if (i >= lines.size() || lines[i].find(u"-->") == std::u16string_view::npos) {
            result.error = At(i < lines.size() ? i : lines.size() - 1) +
                           "expected a cue timing (start --> end)";
            return result;
        }
        SubtitleCue cue;
        cue.line = static_cast<int>(i + 1);
        if (!ParseTiming(lines[i], syntax, cue, result.error)) {
            result.error = At(i) + result.error;
            return result;
        }
        for (++i; i < lines.size() && !Blank(lines[i]); ++i) {
            if (!cue.text.empty()) {
                cue.text.push_back(u'\r');
            }
            cue.text += subtitle_text::DecodeEntities(
                subtitle_text::StripTags(subtitle_text::Trim(lines[i]), syntax.allTags));
        }
        result.cues.push_back(std::move(cue));
    }
    if (result.cues.empty()) {
        result.error = "no cue found";
    }
    return result;
}
