#pragma once

// Fixed texts of the auto-partition.
namespace partition_messages {

inline constexpr const char* kNoWave =
    "A Wave file has to be recorded or imported in order to proceed.";
inline constexpr const char* kCannotOpenWave = "Cannot open selected Wave file.";
inline constexpr const char* kOutOfMemory = "Insufficient memory to continue";

} // namespace partition_messages
