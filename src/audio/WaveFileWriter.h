#pragma once

#include "platform/WaveFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Writes PCM samples as a canonical wave file: "RIFF", "WAVE", a 16-byte "fmt " chunk with
// the format record as given, and one "data" chunk.
class WaveFileWriter {
public:
    static std::vector<std::uint8_t> Build(const WaveFormat& format,
                                           std::span<const std::uint8_t> samples);
    // Replaces path only once the whole file is written; error gets a short reason.
    static bool Write(const std::string& path, const WaveFormat& format,
                      std::span<const std::uint8_t> samples, std::string* error = nullptr);
};
