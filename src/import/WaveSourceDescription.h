#pragma once

#include "platform/WaveFormatEx.h"

#include <cstdint>
#include <string>

// What the conversion needs to know about a source wave file before it starts: where the
// data is, how many samples it holds, and its format record.
struct WaveSourceDescription {
    std::int64_t dataOffset = -1;  // file offset of the first data byte
    std::int64_t dataSize = -1;    // data bytes present in the file
    std::int64_t sampleCount = -1; // from the "fact" chunk, or counted for plain sample data
    WaveFormatEx format;
    std::string path;

    // Walks the file's "WAVE" form. Fails (with a one-line reason) on an unreadable file, no
    // "fmt " or "data" chunk, a "fmt " chunk under 16 bytes, a "fact" chunk under 4 bytes, or
    // a compressed format without a "fact" chunk. For uncompressed sample data (integer PCM,
    // IEEE float, and extensible records of either) a missing "fact" chunk is not needed:
    // the count is the data size over the block alignment.
    static bool Read(const std::string& path, WaveSourceDescription* source, std::string* error);

    // True for sample data that is not compressed, whose frame count follows from its size.
    static bool IsUncompressed(const WaveFormatEx& format);
};
