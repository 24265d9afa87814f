#pragma once

#include <cstdint>

// Tag values of the study file's object stream and text encoding.
namespace archive_tags {
inline constexpr std::uint16_t kNullRecord = 0x0000;
inline constexpr std::uint16_t kNewClass = 0xFFFF;
inline constexpr std::uint16_t kClassFlag = 0x8000;
inline constexpr std::uint16_t kBigIndex = 0x7FFF;
inline constexpr std::uint32_t kBigClassFlag = 0x80000000u;
inline constexpr std::uint16_t kWideMarker = 0xFFFE;
inline constexpr std::uint16_t kMaxClassNameLength = 63;
} // namespace archive_tags
