#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One timed text of a subtitle or lyrics file. Times are in milliseconds from the start of
// the recording; an LRC line has no end of its own (kOpenEnd): it lasts until the next.
struct SubtitleCue {
    static constexpr std::int64_t kOpenEnd = -1;

    std::int64_t startMs = 0;
    std::int64_t endMs = kOpenEnd;
    std::u16string text; // lines joined with CR
    int line = 0;        // where the cue's timing stands in the file, from 1
};

// A parser's answer: the cues in file order, or an error that names the line.
struct SubtitleParse {
    std::vector<SubtitleCue> cues;
    std::string error;

    bool Ok() const { return error.empty(); }
};
