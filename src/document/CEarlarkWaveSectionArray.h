#pragma once

#include "document/CEarlarkWaveSection.h"

#include <cstdint>
#include <memory>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

// The sentences of a study in the order the user arranged them. The array owns its
// records: removing a record destroys it. Commands find a record by identity, because the
// sentence list may show a subset or a shuffled order.
class CEarlarkWaveSectionArray {
public:
    static constexpr std::uint16_t kSchema = 1;

    CEarlarkWaveSectionArray() = default;
    CEarlarkWaveSectionArray(const CEarlarkWaveSectionArray&) = delete;
    CEarlarkWaveSectionArray& operator=(const CEarlarkWaveSectionArray&) = delete;

    // Index of the record (by identity), or -1 when it is not in the array.
    int FindIndex(const CEarlarkWaveSection* record) const;
    void DeleteAt(int index);
    void DeleteAll();
    // Takes ownership; returns the record now owned by the array.
    CEarlarkWaveSection* InsertAt(int index, std::unique_ptr<CEarlarkWaveSection> record);
    CEarlarkWaveSection* Add(std::unique_ptr<CEarlarkWaveSection> record);

    int GetSize() const { return static_cast<int>(m_records.size()); }
    CEarlarkWaveSection* GetAt(int index) const { return m_records.at(index).get(); }

    void Serialize(ArchiveWriter& archive) const;
    // Replaces the contents with the records of a file of the given version. Throws
    // ArchiveError on a damaged array; the array is then empty.
    void Serialize(ArchiveReader& archive, std::uint32_t version, std::uint8_t charSet);

private:
    void ReadRecords(ArchiveReader& archive, std::uint32_t count, std::uint32_t version,
                     std::uint8_t charSet);

    std::vector<std::unique_ptr<CEarlarkWaveSection>> m_records;
};
