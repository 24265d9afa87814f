#pragma once

// What an independent decoder (mpg123, run at test time) makes of an MP3 file, and the
// fields of its first frame header.
#include "audio/WaveFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

struct Decoded {
    bool ok = false;
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::vector<std::int16_t> samples; // interleaved
    std::size_t Frames() const { return channels == 0 ? 0 : samples.size() / channels; }
};

inline bool HaveMpg123() {
    return std::system("mpg123 --version >/dev/null 2>&1") == 0;
}

inline Decoded DecodeMp3(const std::string& mp3) {
    Decoded decoded;
    const std::string wav = mp3 + ".wav";
    const std::string command = "mpg123 -q -w '" + wav + "' '" + mp3 + "' 2>/dev/null";
    WaveFile file;
    if (std::system(command.c_str()) != 0 || file.Open(wav) != WaveFile::kPcm) {
        return decoded;
    }
    decoded.rate = file.Format().samplesPerSec;
    decoded.channels = file.Format().channels;
    decoded.samples.resize(file.DataSize() / 2);
    file.ReadData(0, reinterpret_cast<std::uint8_t*>(decoded.samples.data()),
                  decoded.samples.size() * 2);
    decoded.ok = true;
    return decoded;
}

// The times in seconds where the decoded audio changes between sound and silence, from its
// first sound on; a change counts when the new state holds for 80 ms.
inline std::vector<double> Edges(const Decoded& decoded) {
    const std::size_t window = decoded.rate / 100;
    std::vector<bool> loud;
    for (std::size_t i = 0; i + window <= decoded.samples.size(); i += window) {
        loud.push_back(std::any_of(decoded.samples.begin() + i,
                                   decoded.samples.begin() + i + window,
                                   [](std::int16_t s) { return std::abs(s) > 300; }));
    }
    std::vector<double> edges;
    bool state = true;
    for (auto i = std::find(loud.begin(), loud.end(), true); i != loud.end(); ++i) {
        const auto held = std::find(i, std::min(i + 8, loud.end()), state);
        if (*i != state && held - i == 8) {
            edges.push_back(static_cast<double>(i - loud.begin()) / 100);
            state = !state;
        }
    }
    return edges;
}

struct FrameHeader {
    bool found = false;
    int sampleRate = 0;
    int bitRate = 0;
    int channelMode = 0; // 0 stereo, 1 joint stereo, 2 dual, 3 mono
    bool original = false;
    std::size_t samplesPerFrame = 0;
};

inline FrameHeader FirstFrame(const std::vector<std::uint8_t>& file) {
    static const int kRates[3][3] = {
        {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    static const int kMpeg1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kMpeg2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    FrameHeader header;
    if (file.size() < 4 || file[0] != 0xFF || (file[1] & 0xE0) != 0xE0) {
        return header;
    }
    const int version = (file[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int row = version == 3 ? 0 : version == 2 ? 1 : 2;
    const int bitIndex = file[2] >> 4;
    const int rateIndex = (file[2] >> 2) & 3;
    if (version == 1 || bitIndex == 15 || rateIndex == 3) {
        return header;
    }
    header.found = true;
    header.sampleRate = kRates[row][rateIndex];
    header.bitRate = row == 0 ? kMpeg1[bitIndex] : kMpeg2[bitIndex];
    header.channelMode = file[3] >> 6;
    header.original = (file[3] & 4) != 0;
    header.samplesPerFrame = row == 0 ? 1152 : 576;
    return header;
}
