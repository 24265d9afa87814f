#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mpegtest {

// A fresh empty folder under the build tree for one test.
std::string ScratchDir(const std::string& name);
std::vector<std::uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Runs a shell command quietly; true when it exits with status 0.
bool RunQuietly(const std::string& command);
// True when a program of that name is on the PATH.
bool HaveTool(const std::string& name);

// Every frame the decoder interface gives for a file, output buffers appended as they come
// (16-bit samples), with the channel count of each frame.
struct RawDecode {
    std::vector<std::int16_t> samples;
    std::vector<int> frameChannels;
    int invalidFrames = 0;
};
RawDecode DecodeRaw(const std::string& path, int maxFrames = -1);

// The 16-bit samples of a canonical 44-byte-header wave file.
std::vector<std::int16_t> WaveSamples(const std::vector<std::uint8_t>& wave);

// Difference between a decode and a reference: RMS and largest absolute difference in
// 16-bit steps over their common length, after shifting one against the other by whole
// frames (`unit` samples, all channels) to the best match within a few frames.
struct Accuracy {
    double rms = 0;
    int maxError = 0;
    std::size_t compared = 0;
    long shift = 0;
};
Accuracy Compare(const std::vector<std::int16_t>& ours, const std::vector<std::int16_t>& ref,
                 std::size_t unit, int maxShiftUnits);
// "full", "limited" or "none" after ISO/IEC 11172-4.
const char* AccuracyClass(const Accuracy& a);

// A frame header word. versionBits: 3 = MPEG-1, 2 = MPEG-2, 0 = MPEG-2.5; mode 3 = mono.
std::uint32_t HeaderWord(int versionBits, int layer, int bitrateIndex, int rateIndex, int mode,
                         bool padding = false, bool crc = false);
// A valid frame with that header whose audio data is all zero bits: it decodes to silence
// (no bit allocated, no layer III main data).
std::vector<std::uint8_t> SilentFrame(std::uint32_t headerWord);
void Append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& bytes, int times = 1);

} // namespace mpegtest
