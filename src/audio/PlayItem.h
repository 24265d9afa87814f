#pragma once

#include <cstdint>

// One entry of a play queue: a byte range played pass after pass, each pass followed by
// its interval of silence.
struct PlayItem {
    // Play modes of a request (the view's m_playMode takes the same values).
    static constexpr int kSentencePlay = 0;
    static constexpr int kFragment = 1;
    static constexpr int kRangePlay = 2;
    // Kinds of item.
    static constexpr int kPlain = 0;
    static constexpr int kWholePass = 1;
    static constexpr int kPhrase = 2;

    std::uint32_t start = 0;
    std::uint32_t end = 0;
    // Where the next pass starts and ends: start and end, except after a pause or a seek.
    std::uint32_t curStart = 0;
    std::uint32_t curEnd = 0;
    std::int32_t mode = kSentencePlay;
    std::int32_t kind = kPlain;
    std::int32_t rate = 100;
    std::uint32_t playedCount = 0;
    // Passes wanted; 0 plays without end.
    std::uint32_t repetitions = 1;
    std::uint32_t intervalBytes = 0;
};
