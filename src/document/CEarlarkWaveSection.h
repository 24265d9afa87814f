#pragma once

#include <array>
#include <cstdint>
#include <string>

class ArchiveReader;
class ArchiveWriter;

// One sentence of a study: a byte range of the recording's PCM data (end inclusive) with
// the learner's transcription, the Original Text and the per-sentence counters.
class CEarlarkWaveSection {
public:
    static constexpr const char* kClassName = "CEarlarkWaveSection";
    static constexpr std::uint16_t kSchema = 1;

    // m_nFlags bits.
    static constexpr std::uint32_t kHighlighted = 1u << 0;
    static constexpr std::uint32_t kGroupMember = 1u << 2;
    static constexpr std::uint32_t kWholeRecording = 1u << 3;

    // A new record of a split: every field of source except the fourth text, left empty.
    static CEarlarkWaveSection CopyForSplit(const CEarlarkWaveSection& source);
    // Copies the same fields as CopyForSplit into this record; the fourth text stays.
    void CopyFrom(const CEarlarkWaveSection& source);

    // Sets bit 3 when the sentence spans the whole recording (0 to dataSize - 1), clears it
    // otherwise; returns the new bit.
    bool UpdateWholeFlag(std::uint32_t dataSize);

    void Serialize(ArchiveWriter& archive) const;
    // Reads the fields of a file of the given version; narrow texts are decoded with charSet.
    void Serialize(ArchiveReader& archive, std::uint32_t version, std::uint8_t charSet);

    bool IsHighlighted() const { return (m_nFlags & kHighlighted) != 0; }
    bool IsWholeRecording() const { return (m_nFlags & kWholeRecording) != 0; }

    std::uint32_t m_nStart = 0;
    std::uint32_t m_nEnd = 0;
    std::uint32_t m_nFlags = 0;
    std::u16string m_strListenWrite;
    std::u16string m_strOriginal;
    std::u16string m_strSpare1;
    std::u16string m_strSpare2;
    std::uint32_t m_nClipStart = 0;
    std::uint32_t m_nClipEnd = 0;
    std::array<std::int32_t, 2> m_nSpare{0, 0};
    std::uint32_t m_nPlayCount = 0;
    std::uint32_t m_nHintLevel = 0;
};
