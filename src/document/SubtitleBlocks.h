#pragma once

#include "document/SubtitleCue.h"

#include <functional>
#include <string_view>

// The block structure SRT and WebVTT share: blocks of lines separated by blank lines, each
// cue block an optional identifier line, a timing line "start --> end ..." and its text.
class SubtitleBlocks {
public:
    struct Syntax {
        std::u16string_view fractionSeparators; // between seconds and milliseconds
        bool hoursOptional = false;
        bool allTags = false; // strip every tag, not only the formatting ones
        // Blocks that hold no cue (WebVTT's NOTE, STYLE, REGION) are skipped.
        std::function<bool(std::u16string_view firstLine)> skipBlock;
    };

    // Reads the cues of lines[first...]; errors name the line counted from lines[0] as 1.
    static SubtitleParse Parse(const std::vector<std::u16string_view>& lines, size_t first,
                               const Syntax& syntax);

private:
    static bool ParseTiming(std::u16string_view line, const Syntax& syntax, SubtitleCue& cue,
                            std::string& error);
};
