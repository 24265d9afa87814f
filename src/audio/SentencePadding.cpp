#include "audio/SentencePadding.h"

#include "platform/WaveFormat.h"

#include <algorithm>

int SentencePadding::ValidMs(int ms) {
    return std::clamp(ms, 0, kMaxMs) / kStepMs * kStepMs;
}

std::uint32_t SentencePadding::Bytes(int ms, const WaveFormat& format) {
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(ValidMs(ms)) * format.avgBytesPerSec / 1000;
    const std::uint64_t frame = std::max<std::uint16_t>(format.blockAlign, 1);
    return static_cast<std::uint32_t>(bytes / frame * frame);
}

void SentencePadding::Apply(std::uint32_t& start, std::uint32_t& end, std::uint32_t padding,
                            std::uint32_t dataSize) {
    if (padding == 0 || dataSize == 0) {
        return;
    }
    start -= std::min(start, padding);
    const std::uint64_t last = dataSize - 1u;
    if (end < last) {
        end =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{end} + padding, last));
    }
}
