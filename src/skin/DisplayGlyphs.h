#pragma once

#include <cstdint>
#include <vector>

// Display numbers: the skin object numbers of the study view's displays.
namespace display_number {
inline constexpr int kTime = 31;
inline constexpr int kSpectrum = 32;
inline constexpr int kRepetitions = 33;
inline constexpr int kInterval = 34;
inline constexpr int kSpeed = 35;
inline constexpr int kCounter = 36;
inline constexpr int kVolume = 37;
} // namespace display_number

// Glyphs of a strip: 0 to 9 the digits, then the two halves of the endless sign, then
// the blank digit.
namespace glyph {
inline constexpr int kEndlessLeft = 10;
inline constexpr int kEndlessRight = 11;
inline constexpr int kBlank = 12;
} // namespace glyph

// What a display shows; each display reads the fields of its own kind.
struct DisplayValues {
    // Time: a byte offset into the wave data, or -1 for none.
    int64_t position = 0;
    uint32_t bytesPerSecond = 0;
    // Counter: the current sentence number and the sentence count.
    int current = 0;
    int count = 0;
    // Repetitions (0 = endless), interval in tenths of a second, speed in percent.
    int repetitions = 0;
    int interval = 0;
    int speed = 100;
    int volume = 0;
};

struct GlyphCell {
    int glyph;
    int x; // relative to the display; the row is the content area's
};

// Where each digit of a display goes: the arithmetic that turns a value into glyphs and
// horizontal places, right to left from a start cell, one pitch per step, with the
// small gaps that separate minutes from seconds, position from count, seconds from tenths.
class DisplayGlyphs {
public:
    static constexpr int kVolumeSegments = 8;

    static std::vector<GlyphCell> Cells(int displayNumber, const DisplayValues& values,
                                        int contentX, int pitch);
    // Minutes (modulo 100) x 100 + seconds of a byte offset.
    static int MinutesSeconds(int64_t position, uint32_t bytesPerSecond);
    static int VolumeSegmentsLit(int volume);
};
