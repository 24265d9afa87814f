#pragma once

#include "platform/CodecService.h"
#include "platform/WaveFormatEx.h"

#include <cstdint>
#include <string>

// What a conversion wrote, or why it failed.
struct PcmConversionReport {
    WaveFormatEx format;           // the destination "fmt " record
    std::uint32_t sampleCount = 0; // the destination "fact" value
    std::string error;             // one line, after a failure
};

// Converts a wave file whose data the wave engine cannot play (compressed, floating-point,
// extensible or wider than 16 bits) into a PCM wave file with the chunks "fmt ", "fact" and
// "data", in this order. Returns false on any failure, with nothing left open; the
// destination may then remain, partly written, with valid chunk sizes. Shows no message.
bool ConvertWaveToPcm(const std::string& sourcePath, const std::string& destinationPath);

// The same through a given codec service, reporting what was written.
bool ConvertWaveToPcm(const std::string& sourcePath, const std::string& destinationPath,
                      const CodecService& codecs, PcmConversionReport* report);
