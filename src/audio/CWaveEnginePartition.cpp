// The silence search of the wave engine: the centring analysis and the sentence finder that
// auto-partition runs over the whole recording.
#include "audio/CWaveEngine.h"

#include "partition/ProgressPort.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t kCentreBlock = 4096;
constexpr std::uint64_t kCentreSamples = 10'000'000;
constexpr std::int32_t kSilenceCentre = 128;

} // namespace

void CWaveEngine::ComputeCentre() {
    const bool is16 = Format().Is16Bit();
    std::vector<std::uint8_t> block(kCentreBlock);
    std::uint64_t sum = 0;
    std::uint64_t count = 0;
    for (std::uint64_t at = 0; at <= std::numeric_limits<std::uint32_t>::max();
         at += kCentreBlock) {
        const std::size_t got =
            ReadData(static_cast<std::uint32_t>(at), block.data(), kCentreBlock);
        if (is16) {
            for (std::size_t i = 1; i < got; i += 2) {
                sum += static_cast<std::uint64_t>(static_cast<std::int8_t>(block[i]) + 128);
                ++count;
            }
        } else {
            for (std::size_t i = 0; i < got; ++i) {
                sum += block[i];
            }
            count += got;
        }
        if (got < kCentreBlock || count > kCentreSamples) {
            break;
        }
    }
    m_centre = count == 0 ? kSilenceCentre : static_cast<std::int32_t>(sum / count);
}

void CWaveEngine::SetPartitionFactors(int quietCount, int loudness) {
    // A damaged header could make the window overflow; it is then one read of all the data.
    const std::uint64_t window =
        static_cast<std::uint64_t>(Format().samplesPerSec >> 2) * Format().blockAlign;
    m_window = static_cast<std::int32_t>(
        std::min<std::uint64_t>(window, std::numeric_limits<std::int32_t>::max()));
    m_quietCount = quietCount;
    m_threshold = loudness;
}

bool CWaveEngine::FindNextSentence(std::uint32_t& start, std::uint32_t& end,
                                   std::uint32_t& position, ProgressPort* progress) {
    const std::uint32_t align = std::max<std::uint32_t>(Format().blockAlign, 1);
    const std::int64_t window = m_window;
    const std::int32_t keepLevel = 2 * m_threshold / 3;
    std::int64_t at = position - position % align;
    start = end = static_cast<std::uint32_t>(at);
    bool inSentence = false;
    int quiet = 0;
    // Positions are 32-bit; a window that would pass that range is past the data anyway.
    constexpr std::int64_t kLast = std::numeric_limits<std::uint32_t>::max();
    while (window > 0 && at <= kLast) {
        const int level =
            MeasureLevel(static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(window));
        if (level < 0) {
            break;
        }
        if (progress != nullptr && progress->CheckCancel()) {
            return false;
        }
        if (!inSentence) {
            if (level >= m_threshold) {
                start = static_cast<std::uint32_t>(at);
                inSentence = true;
                quiet = 0;
            }
        } else if (level >= keepLevel) {
            quiet = 0;
        } else if (++quiet >= m_quietCount) {
            // N sixteenths of a second before the N-th quiet window starts.
            const std::int64_t back = (window / 4) * m_quietCount;
            const std::int64_t point = std::clamp<std::int64_t>(at - back, 0, DataSize());
            end = static_cast<std::uint32_t>(point);
            position = static_cast<std::uint32_t>(at);
            start = std::min(start, end);
            return true;
        }
        at += window;
    }
    position = static_cast<std::uint32_t>(std::min(at, kLast));
    if (!inSentence) {
        return false;
    }
    end = DataSize();
    start = std::min(start, end);
    return true;
}
