#pragma once

#include "audio/PlayItem.h"
#include "platform/WaveFormat.h"

#include <cstdint>
#include <string>
#include <vector>

// The size an export will take on disk, and whether the disk has room for it.
namespace mp3size {

// Bytes of wave data the items render: every pass and its pause, scaled by the play rate.
std::uint64_t RenderedBytes(const std::vector<PlayItem>& items);
// The MP3 bytes that many bytes of wave data make at the bit rate (kbit/s).
std::uint64_t EncodedBytes(std::uint64_t waveBytes, int bitRate, const WaveFormat& format);
// Half as much again as the estimate, for the encoder's frames and the file system.
std::uint64_t RequiredBytes(std::uint64_t estimate);

// Whether the file system that holds path's folder (or its nearest existing parent) offers
// the user more whole mebibytes than required takes. Space that cannot be read is no room.
bool HasSpaceFor(const std::string& path, std::uint64_t required);

} // namespace mp3size
