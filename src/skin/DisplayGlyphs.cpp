#include "skin/DisplayGlyphs.h"

#include <algorithm>

namespace {

// count digits of value, right to left from startX; after the digit numbered gapAfter
// (counting from 1 at the right) the next ones move gap more pixels to the left.
std::vector<GlyphCell> Digits(int value, int count, int startX, int pitch, int gapAfter, int gap) {
    std::vector<GlyphCell> cells;
    int x = startX;
    for (int i = 1; i <= count; ++i) {
        cells.push_back({value % 10, x});
        value /= 10;
        x -= pitch;
        if (i == gapAfter) {
            x -= gap;
        }
    }
    std::reverse(cells.begin(), cells.end());
    return cells;
}

std::vector<GlyphCell> TimeCells(const DisplayValues& values, int contentX, int pitch) {
    int start = contentX + 3 * pitch + 3;
    if (values.position < 0) {
        std::vector<GlyphCell> cells = Digits(0, 4, start, pitch, 2, 3);
        for (GlyphCell& cell : cells) {
            cell.glyph = glyph::kBlank;
        }
        return cells;
    }
    return Digits(DisplayGlyphs::MinutesSeconds(values.position, values.bytesPerSecond), 4, start,
                  pitch, 2, 3);
}

std::vector<GlyphCell> CounterCells(const DisplayValues& values, int contentX, int pitch) {
    // Each number keeps its own last three digits: a count above 999 must not carry into
    // the position's places.
    int current = std::max(values.current, 0) % 1000;
    int count = std::max(values.count, 0) % 1000;
    return Digits(current * 1000 + count, 6, contentX + 5 * pitch + 3, pitch, 3, 3);
}

std::vector<GlyphCell> RepetitionCells(const DisplayValues& values, int contentX, int pitch) {
    if (values.repetitions == 0) {
        return {{glyph::kEndlessLeft, contentX}, {glyph::kEndlessRight, contentX + pitch}};
    }
    return Digits(std::clamp(values.repetitions, 0, 99), 2, contentX + pitch, pitch, 0, 0);
}

} // namespace

int DisplayGlyphs::MinutesSeconds(int64_t position, uint32_t bytesPerSecond) {
    if (bytesPerSecond == 0 || position < 0) {
        return 0;
    }
    int64_t minutes = position / (int64_t{bytesPerSecond} * 60);
    int64_t seconds = (position / bytesPerSecond) % 60;
    return static_cast<int>((minutes % 100) * 100 + seconds);
}

int DisplayGlyphs::VolumeSegmentsLit(int volume) {
    return std::clamp((std::clamp(volume, 0, 65535) + 1) / 8192, 0, kVolumeSegments);
}

std::vector<GlyphCell> DisplayGlyphs::Cells(int displayNumber, const DisplayValues& values,
                                            int contentX, int pitch) {
    switch (displayNumber) {
    case display_number::kTime:
        return TimeCells(values, contentX, pitch);
    case display_number::kCounter:
        return CounterCells(values, contentX, pitch);
    case display_number::kRepetitions:
        return RepetitionCells(values, contentX, pitch);
    case display_number::kInterval:
        return Digits(std::clamp(values.interval, 0, 99), 2, contentX + pitch, pitch, 1, 4);
    case display_number::kSpeed:
        return Digits(std::clamp(values.speed, 0, 999), 3, contentX + 2 * pitch, pitch, 0, 0);
    default:
        return {};
    }
}
