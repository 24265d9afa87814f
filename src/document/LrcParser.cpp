#include "document/LrcParser.h"

#include "document/SubtitleText.h"

#include <charconv>

namespace {

// The value of an "offset:+250" tag; nothing for any other tag.
std::optional<std::int64_t> Offset(std::u16string_view tag) {
    if (!tag.starts_with(u"offset:")) {
        return std::nullopt;
    }
    std::string digits;
    for (char16_t c : subtitle_text::Trim(tag.substr(7))) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        digits.push_back(static_cast<char>(c));
    }
    if (!digits.empty() && digits[0] == '+') {
        digits.erase(0, 1);
    }
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value > 86400000 ||
        value < -86400000) {
        return std::nullopt;
    }
    return value;
}

} // namespace

SubtitleParse LrcParser::Parse(std::u16string_view text) {
    SubtitleParse result;
    std::int64_t offset = 0;
    const auto lines = subtitle_text::Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        std::u16string_view line = subtitle_text::Trim(lines[n]);
        std::vector<std::int64_t> times;
        while (line.starts_with(u'[')) {
            const size_t close = line.find(u']');
            if (close == std::u16string_view::npos) {
                break;
            }
            const std::u16string_view tag = line.substr(1, close - 1);
            if (auto time = subtitle_text::ParseClock(tag, u".", true)) {
                times.push_back(*time);
            } else if (auto value = Offset(tag)) {
                offset = *value;
            }
            line = subtitle_text::Trim(line.substr(close + 1));
        }
        for (std::int64_t time : times) {
            SubtitleCue cue;
            cue.startMs = time;
            cue.text = std::u16string(line);
            cue.line = static_cast<int>(n + 1);
            result.cues.push_back(std::move(cue));
        }
    }
    for (SubtitleCue& cue : result.cues) {
        cue.startMs = std::max<std::int64_t>(0, cue.startMs - offset);
    }
    if (result.cues.empty()) {
        result.error = "no timed line found";
    }
    return result;
}
