#pragma once

#include "document/SubtitleCue.h"

#include <cstdint>
#include <string>
#include <vector>

class CEarlarkWaveSectionArray;

// Turns cues into sentence ranges of a recording: a time becomes the byte offset
// ms x byte rate / 1000 (truncated) rounded down to a whole frame. Cues are taken in order
// of their start; one that starts beyond the data is dropped; an end runs to where the next
// cue starts at most (an LRC line ends there in any case, the last one at the end of the
// data) and never past the last byte of the data.
class SubtitleSentences {
public:
    static constexpr size_t kMaxSentences = 2000;

    struct Range {
        std::uint32_t start = 0;
        std::uint32_t end = 0; // inclusive
        std::u16string text;
    };
    struct Plan {
        std::vector<Range> ranges;
        bool truncated = false; // more cues than a study can hold: the first are kept
    };

    static Plan Make(std::vector<SubtitleCue> cues, std::uint32_t byteRate,
                     std::uint32_t blockAlign, std::uint32_t dataSize);

    // Replaces every sentence by the plan's, the text as Original Text or as transcription.
    static void Replace(CEarlarkWaveSectionArray& sections, const Plan& plan, bool original,
                        std::uint32_t dataSize);

    // The time of a byte offset in milliseconds (unit 1000) or centiseconds (unit 100),
    // rounded to the nearest.
    static std::int64_t TimeOf(std::uint32_t offset, std::uint32_t byteRate, int unit = 1000);
};
