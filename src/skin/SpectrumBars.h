#pragma once

#include <array>
#include <span>

// The state of the spectrum display: 20 bar levels of 0 to 16 rows, or off, and a falling
// peak mark per bar. A peak above the level sinks one row per update and is drawn as a
// line; a level that reaches the peak lifts it.
class SpectrumBars {
public:
    static constexpr int kBars = 20;
    static constexpr int kRows = 16;

    // Takes 20 levels; an empty span switches the display off.
    void SetLevels(std::span<const int> levels);

    bool IsOff() const { return m_off; }
    int Level(int bar) const { return m_levels[bar]; }
    int Peak(int bar) const { return m_peaks[bar]; }
    // The row of the peak line drawn with the last update counted from the top
    // (17 - peak), or 0 when the bar shows no line.
    int PeakLineRow(int bar) const { return m_lineRows[bar]; }

private:
    bool m_off = true;
    std::array<int, kBars> m_levels{};
    std::array<int, kBars> m_peaks{};
    std::array<int, kBars> m_lineRows{};
};
