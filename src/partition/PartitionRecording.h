#pragma once

#include <cstdint>
#include <vector>

class CWaveEngine;
class ProgressPort;

// One sentence found by the silence search: byte offsets from the first data byte, end
// inclusive.
struct SentenceRange {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool operator==(const SentenceRange&) const = default;
};

struct PartitionResult {
    std::vector<SentenceRange> sentences;
    // False after a cancel: the sentences are then one covering the whole recording.
    bool completed = true;
};

// The most sentences a study holds; the audio after the last of them belongs to none.
inline constexpr int kMaxPartitionSentences = 2000;

// Divides the recording open in the engine into sentences at its silences: silenceQuarters
// quiet quarter seconds end a sentence, loudness starts one. With a progress window it shows
// the search and takes Cancel; without one it runs to the end.
PartitionResult PartitionRecording(CWaveEngine& engine, int silenceQuarters, int loudness,
                                   ProgressPort* progress);
