#pragma once

#include <vector>

class CEarlarkWaveSection;

// The rows of the sentence box: for each list position, the sentence record it shows (not
// owned; the document's array owns the records). List positions, not array indices, are
// what the view's current index, the counter and the grouping commands use.
class SentenceRows {
public:
    int Count() const { return static_cast<int>(m_rows.size()); }
    bool IsEmpty() const { return m_rows.empty(); }
    CEarlarkWaveSection* At(int row) const;
    // The row showing the record, or -1.
    int Find(const CEarlarkWaveSection* record) const;

    void Clear() { m_rows.clear(); }
    void Add(CEarlarkWaveSection* record) { m_rows.push_back(record); }
    void Insert(int row, CEarlarkWaveSection* record);
    void Remove(int row);

    // For a valid row: flags = (flags | set) & ~clear. False for a row out of range.
    bool SetRowFlags(int row, unsigned set, unsigned clear);

private:
    std::vector<CEarlarkWaveSection*> m_rows;
};
