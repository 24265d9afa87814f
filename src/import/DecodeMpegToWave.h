#pragma once

#include <string>

// Decodes an MPEG audio file into a 16-bit PCM wave file with the canonical 44-byte
// header. False when the source cannot be opened or the destination cannot be written; a
// source without a decodable frame still gives true and a wave file with no data.
bool DecodeMpegToWave(const std::string& sourcePath, const std::string& destinationPath);
