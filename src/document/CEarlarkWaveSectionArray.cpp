#include "document/CEarlarkWaveSectionArray.h"

#include "document/ArchiveError.h"
#include "document/ArchiveReader.h"
#include "document/ArchiveTags.h"
#include "document/ArchiveWriter.h"

#include <algorithm>

namespace {

// What an object index of the stream stands for: the sentence class, or a record read
// earlier (by its position in the array).
struct IndexEntry {
    bool isClass;
    std::size_t record;
};

// A reference tag repeats a record read earlier; the array cannot hold one record twice, so
// a repeat becomes a copy. Copies are limited so that a small hostile file cannot expand
// into gigabytes of text.
constexpr std::size_t kMaxCopiedTextUnits = 64u << 20;

std::size_t TextUnits(const CEarlarkWaveSection& r) {
    return r.m_strListenWrite.size() + r.m_strOriginal.size() + r.m_strSpare1.size() +
           r.m_strSpare2.size() + 1;
}

} // namespace

int CEarlarkWaveSectionArray::FindIndex(const CEarlarkWaveSection* record) const {
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == record) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CEarlarkWaveSectionArray::DeleteAt(int index) {
    m_records.erase(m_records.begin() + index);
}

void CEarlarkWaveSectionArray::DeleteAll() {
    m_records.clear();
}

CEarlarkWaveSection*
CEarlarkWaveSectionArray::InsertAt(int index, std::unique_ptr<CEarlarkWaveSection> record) {
    return m_records.insert(m_records.begin() + index, std::move(record))->get();
}

CEarlarkWaveSection* CEarlarkWaveSectionArray::Add(std::unique_ptr<CEarlarkWaveSection> record) {
    m_records.push_back(std::move(record));
    return m_records.back().get();
}

void CEarlarkWaveSectionArray::Serialize(ArchiveWriter& archive) const {
    archive.WriteCount(static_cast<std::uint32_t>(m_records.size()));
    // Index 1 is the class; the records take 2, 3, ... and are never referenced again.
    bool classWritten = false;
    for (const auto& record : m_records) {
        if (classWritten) {
            archive.WriteClassTag(1);
        } else {
            archive.WriteNewClassTag(CEarlarkWaveSection::kSchema, CEarlarkWaveSection::kClassName);
            classWritten = true;
        }
        record->Serialize(archive);
    }
}

void CEarlarkWaveSectionArray::Serialize(ArchiveReader& archive, std::uint32_t version,
                                         std::uint8_t charSet) {
    DeleteAll();
    std::uint32_t count = archive.ReadCount();
    try {
        ReadRecords(archive, count, version, charSet);
    } catch (...) {
        DeleteAll();
        throw;
    }
}

void CEarlarkWaveSectionArray::ReadRecords(ArchiveReader& archive, std::uint32_t count,
                                           std::uint32_t version, std::uint8_t charSet) {
    // Every record takes at least a two-byte tag, which bounds what a count can claim.
    m_records.reserve(std::min<std::size_t>(count, archive.Remaining() / 2));
    std::vector<IndexEntry> indices(1); // index 0 is the null record
    std::size_t copiedUnits = 0;

    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint16_t tag = archive.ReadUInt16();
        std::uint32_t index = tag & 0x7FFF;
        bool classTag = (tag & archive_tags::kClassFlag) != 0;
        if (tag == archive_tags::kBigIndex) {
            std::uint32_t big = archive.ReadUInt32();
            classTag = (big & archive_tags::kBigClassFlag) != 0;
            index = big & ~archive_tags::kBigClassFlag;
        }

        if (tag == archive_tags::kNewClass) {
            std::uint16_t schema = archive.ReadUInt16();
            std::uint16_t length = archive.ReadUInt16();
            if (length > archive_tags::kMaxClassNameLength) {
                throw ArchiveError("class name too long");
            }
            if (archive.ReadBytes(length) != CEarlarkWaveSection::kClassName) {
                throw ArchiveError("unknown class in the sentence array");
            }
            if (schema != CEarlarkWaveSection::kSchema) {
                throw ArchiveError("unknown sentence schema");
            }
            indices.push_back({true, 0});
        } else if (classTag) {
            if (index == 0 || index >= indices.size() || !indices[index].isClass) {
                throw ArchiveError("bad class reference");
            }
        } else {
            if (index == 0) {
                throw ArchiveError("null record in the sentence array");
            }
            if (index >= indices.size() || indices[index].isClass) {
                throw ArchiveError("bad record reference");
            }
            const CEarlarkWaveSection& earlier = *m_records[indices[index].record];
            copiedUnits += TextUnits(earlier);
            if (copiedUnits > kMaxCopiedTextUnits) {
                throw ArchiveError("too many repeated records");
            }
            Add(std::make_unique<CEarlarkWaveSection>(earlier));
            continue;
        }

        auto record = std::make_unique<CEarlarkWaveSection>();
        record->Serialize(archive, version, charSet);
        indices.push_back({false, m_records.size()});
        Add(std::move(record));
    }
}
