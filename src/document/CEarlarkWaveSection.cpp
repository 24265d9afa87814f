#include "document/CEarlarkWaveSection.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

CEarlarkWaveSection CEarlarkWaveSection::CopyForSplit(const CEarlarkWaveSection& source) {
    CEarlarkWaveSection copy;
    copy.CopyFrom(source);
    return copy;
}

void CEarlarkWaveSection::CopyFrom(const CEarlarkWaveSection& source) {
    m_nStart = source.m_nStart;
    m_nEnd = source.m_nEnd;
    m_nFlags = source.m_nFlags;
    m_strListenWrite = source.m_strListenWrite;
    m_strOriginal = source.m_strOriginal;
    m_strSpare1 = source.m_strSpare1;
    m_nClipStart = source.m_nClipStart;
    m_nClipEnd = source.m_nClipEnd;
    m_nSpare = source.m_nSpare;
    m_nPlayCount = source.m_nPlayCount;
    m_nHintLevel = source.m_nHintLevel;
}

bool CEarlarkWaveSection::UpdateWholeFlag(std::uint32_t dataSize) {
    // Compared in 64 bits so that an end of 0xFFFFFFFF cannot wrap to a match.
    bool whole = m_nStart == 0 && std::uint64_t{m_nEnd} + 1 == dataSize;
    if (whole) {
        m_nFlags |= kWholeRecording;
    } else {
        m_nFlags &= ~kWholeRecording;
    }
    return whole;
}

void CEarlarkWaveSection::Serialize(ArchiveWriter& archive) const {
    archive.WriteUInt32(m_nStart);
    archive.WriteUInt32(m_nEnd);
    archive.WriteUInt32(m_nFlags);
    archive.WriteWideText(m_strListenWrite);
    archive.WriteWideText(m_strOriginal);
    archive.WriteWideText(m_strSpare1);
    archive.WriteUInt32(m_nClipStart);
    archive.WriteUInt32(m_nClipEnd);
    archive.WriteInt32(m_nSpare[0]);
    archive.WriteInt32(m_nSpare[1]);
    archive.WriteUInt32(m_nPlayCount);
    archive.WriteUInt32(m_nHintLevel);
    archive.WriteWideText(m_strSpare2);
}

void CEarlarkWaveSection::Serialize(ArchiveReader& archive, std::uint32_t version,
                                    std::uint8_t charSet) {
    m_nStart = archive.ReadUInt32();
    m_nEnd = archive.ReadUInt32();
    m_nFlags = archive.ReadUInt32();
    m_strListenWrite = archive.ReadText().ToUtf16(charSet);
    m_strOriginal = archive.ReadText().ToUtf16(charSet);
    m_strSpare1 = archive.ReadText().ToUtf16(charSet);
    m_nClipStart = archive.ReadUInt32();
    m_nClipEnd = archive.ReadUInt32();
    m_nSpare[0] = archive.ReadInt32();
    m_nSpare[1] = archive.ReadInt32();
    m_nPlayCount = archive.ReadUInt32();
    m_nHintLevel = archive.ReadUInt32();
    if (version >= 400) {
        m_strSpare2 = archive.ReadText().ToUtf16(charSet);
    }
}
