#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// What the learner chooses from in the MP3 export: the encoding formats and the special
// export patterns.
namespace mp3choices {

constexpr int kFormatCount = 10;
constexpr int kDefaultFormat = 3;
constexpr int kDefaultBitRate = 48;
constexpr int kPatternCount = 4;

// "MP3 (8 kbps)" to "MP3 (320 kbps)"; index 3 reads "MP3 (48 kbps, default)". Empty outside
// the table.
std::string FormatText(int index);
// The bit rate of a format index in kbit/s; any other index (none chosen) encodes at 48.
int BitRate(int index);
// The save dialog filter of the current-sentence export: one "MP3 (N kbps) (*.mp3)|*.mp3"
// entry per format, ended by "||". Entry k + 1 (1-based) is format k.
std::string CurrentSentenceFilter();

// One step of a pattern: one play item. The pause is the pause rule with value and
// proportional flag (0, or 2 for proportional), so "2, proportional" lasts as long as the
// sentence and "2, not proportional" 0.2 s.
struct PatternStep {
    std::uint32_t repetitions;
    int rate;
    int proportional;
    int value;
};

std::string PatternText(int index);
// The steps of a pattern, in order; empty outside the table.
std::span<const PatternStep> PatternSteps(int index);

} // namespace mp3choices
