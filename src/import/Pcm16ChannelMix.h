#pragma once

#include <cstdint>
#include <vector>

// Interleaved 16-bit little-endian PCM in one channel count rewritten in another (1 or 2):
// mono frames are doubled into both channels, stereo frames averaged into one. Decoded MPEG
// streams may switch between mono and stereo; their output keeps one channel count.
void MixPcm16Channels(const std::uint8_t* samples, std::uint32_t bytes, int fromChannels,
                      int toChannels, std::vector<std::uint8_t>& out);
