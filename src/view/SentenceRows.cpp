#include "view/SentenceRows.h"

#include "document/CEarlarkWaveSection.h"

#include <algorithm>

CEarlarkWaveSection* SentenceRows::At(int row) const {
    return row >= 0 && row < Count() ? m_rows[row] : nullptr;
}

int SentenceRows::Find(const CEarlarkWaveSection* record) const {
    auto it = std::find(m_rows.begin(), m_rows.end(), record);
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

void SentenceRows::Insert(int row, CEarlarkWaveSection* record) {
    row = std::clamp(row, 0, Count());
    m_rows.insert(m_rows.begin() + row, record);
}

void SentenceRows::Remove(int row) {
    if (row >= 0 && row < Count()) {
        m_rows.erase(m_rows.begin() + row);
    }
}

bool SentenceRows::SetRowFlags(int row, unsigned set, unsigned clear) {
    CEarlarkWaveSection* record = At(row);
    if (!record) {
        return false;
    }
    record->m_nFlags = (record->m_nFlags | set) & ~clear;
    return true;
}
