#include "skin/SpectrumBars.h"

#include <algorithm>

void SpectrumBars::SetLevels(std::span<const int> levels) {
    if (levels.size() < static_cast<size_t>(kBars)) {
        m_off = true;
        m_lineRows.fill(0);
        return;
    }
    m_off = false;
    for (int i = 0; i < kBars; ++i) {
        int level = std::clamp(levels[i], 0, kRows);
        int peak = m_peaks[i];
        m_levels[i] = level;
        m_lineRows[i] = 0;
        if (level >= peak) {
            m_peaks[i] = level;
        } else if (peak >= 2) {
            m_lineRows[i] = 17 - peak;
            m_peaks[i] = peak - 1;
        } else {
            m_peaks[i] = 0;
        }
    }
}
