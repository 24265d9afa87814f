#include "document/SubtitleSentences.h"

#include "document/CEarlarkWaveSectionArray.h"

#include <algorithm>
#include <memory>

namespace {

// Times past the data are only compared with its size, so the product is kept wide.
std::uint64_t ByteOf(std::int64_t ms, std::uint32_t byteRate, std::uint32_t blockAlign) {
    const auto wide =
        static_cast<unsigned __int128>(std::max<std::int64_t>(ms, 0)) * byteRate / 1000;
    const std::uint64_t bytes = wide > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(wide);
    return blockAlign > 1 ? bytes - bytes % blockAlign : bytes;
}

} // namespace

SubtitleSentences::Plan SubtitleSentences::Make(std::vector<SubtitleCue> cues,
                                                std::uint32_t byteRate, std::uint32_t blockAlign,
                                                std::uint32_t dataSize) {
    std::stable_sort(cues.begin(), cues.end(), [](const SubtitleCue& a, const SubtitleCue& b) {
        return a.startMs < b.startMs;
    });
    std::vector<std::uint64_t> starts;
    for (const SubtitleCue& cue : cues) {
        const std::uint64_t start = ByteOf(cue.startMs, byteRate, blockAlign);
        if (start >= dataSize) {
            break; // sorted: every later cue starts beyond the data too
        }
        starts.push_back(start);
    }
    Plan plan;
    plan.truncated = starts.size() > kMaxSentences;
    const size_t count = std::min(starts.size(), kMaxSentences);
    const std::uint64_t last = dataSize == 0 ? 0 : dataSize - 1u;
    for (size_t i = 0; i < count; ++i) {
        const SubtitleCue& cue = cues[i];
        const bool hasNext = i + 1 < starts.size();
        std::uint64_t end = cue.endMs == SubtitleCue::kOpenEnd
                                ? (hasNext ? starts[i + 1] : last)
                                : ByteOf(cue.endMs, byteRate, blockAlign);
        if (hasNext) {
            end = std::min(end, starts[i + 1]);
        }
        end = std::max(std::min(end, last), starts[i]);
        plan.ranges.push_back(
            {static_cast<std::uint32_t>(starts[i]), static_cast<std::uint32_t>(end), cue.text});
    }
    return plan;
}

std::int64_t SubtitleSentences::TimeOf(std::uint32_t offset, std::uint32_t byteRate, int unit) {
    if (byteRate == 0) {
        return 0;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(offset) * unit + byteRate / 2) /
                                     byteRate);
}

void SubtitleSentences::Replace(CEarlarkWaveSectionArray& sections, const Plan& plan, bool original,
                                std::uint32_t dataSize) {
    sections.DeleteAll();
    for (const Range& range : plan.ranges) {
        auto record = std::make_unique<CEarlarkWaveSection>();
        record->m_nStart = range.start;
        record->m_nEnd = range.end;
        (original ? record->m_strOriginal : record->m_strListenWrite) = range.text;
        record->UpdateWholeFlag(dataSize);
        sections.Add(std::move(record));
    }
}
