#pragma once

// Builds wave files byte by byte and takes converted files apart, independently of the
// project's own RIFF reader and writer.
#include "support/Bytes.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fixtures {

struct Chunk {
    std::string id;
    std::vector<std::uint8_t> body;
};

// The 16 bytes of a format record, then (for non-PCM records) the extra bytes with their count.
inline std::vector<std::uint8_t> FormatRecord(std::uint16_t tag, std::uint16_t channels,
                                              std::uint32_t rate, std::uint32_t byteRate,
                                              std::uint16_t blockAlign, std::uint16_t bits,
                                              const std::vector<std::uint8_t>& extra = {},
                                              bool withCount = true) {
    Bytes b;
    b.U16(tag).U16(channels).U32(rate).U32(byteRate).U16(blockAlign).U16(bits);
    if (withCount) {
        b.U16(static_cast<std::uint16_t>(extra.size())).Raw(extra);
    }
    return b.Data();
}

// A RIFF WAVE file of the given chunks, in order, each padded to even length.
inline std::vector<std::uint8_t> WaveFile(const std::vector<Chunk>& chunks) {
    Bytes body;
    body.Raw("WAVE");
    for (const Chunk& c : chunks) {
        body.Raw(c.id).U32(static_cast<std::uint32_t>(c.body.size())).Raw(c.body);
        if (c.body.size() & 1) {
            body.U8(0);
        }
    }
    Bytes file;
    file.Raw("RIFF").U32(static_cast<std::uint32_t>(body.Size())).Raw(body.Data());
    return file.Data();
}

inline std::vector<std::uint8_t> Le32(std::uint32_t v) {
    return Bytes().U32(v).Data();
}

// The top-level chunks inside the RIFF form; empty when the file is not RIFF WAVE.
inline std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& file) {
    auto le32 = [&](std::size_t at) {
        return file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
               static_cast<std::uint32_t>(file[at + 3]) << 24;
    };
    std::vector<Chunk> out;
    if (file.size() < 12 || std::string(file.begin(), file.begin() + 4) != "RIFF" ||
        std::string(file.begin() + 8, file.begin() + 12) != "WAVE") {
        return out;
    }
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        std::uint32_t size = le32(at + 4);
        std::size_t end = std::min<std::size_t>(at + 8 + size, file.size());
        out.push_back({std::string(file.begin() + at, file.begin() + at + 4),
                       std::vector<std::uint8_t>(file.begin() + at + 8, file.begin() + end)});
        at = at + 8 + size + (size & 1);
    }
    return out;
}

inline std::optional<Chunk> FindChunk(const std::vector<std::uint8_t>& file,
                                      const std::string& id) {
    for (Chunk& c : Chunks(file)) {
        if (c.id == id) {
            return c;
        }
    }
    return std::nullopt;
}

inline std::vector<std::int16_t> Samples16(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::int16_t> out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return out;
}

// A test signal: two tones per channel plus a little deterministic noise, at half scale.
inline std::vector<std::int16_t> TestSignal(int channels, int rate, int frames) {
    std::vector<std::int16_t> out;
    std::uint32_t noise = 12345;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            double t = static_cast<double>(i) / rate;
            double v = 0.3 * std::sin(2 * M_PI * (440 + 110 * c) * t) +
                       0.15 * std::sin(2 * M_PI * 1375 * t + c);
            noise = noise * 1664525u + 1013904223u;
            v += ((noise >> 16) / 65536.0 - 0.5) * 0.02;
            out.push_back(static_cast<std::int16_t>(std::lround(v * 32767)));
        }
    }
    return out;
}

inline std::vector<std::uint8_t> PcmWave(const std::vector<std::int16_t>& samples, int channels,
                                         int rate) {
    Bytes data;
    for (std::int16_t s : samples) {
        data.U16(static_cast<std::uint16_t>(s));
    }
    auto align = static_cast<std::uint16_t>(2 * channels);
    return WaveFile({{"fmt ", FormatRecord(1, static_cast<std::uint16_t>(channels), rate,
                                           rate * align, align, 16, {}, false)},
                     {"data", data.Data()}});
}

} // namespace fixtures
