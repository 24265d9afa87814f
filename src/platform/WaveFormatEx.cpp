#include "platform/WaveFormatEx.h"

#include <algorithm>
#include <array>

namespace {

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return Le16(b, at) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

// The extensible record's sub-format: a GUID whose first two bytes are a format tag and
// whose remaining 14 bytes are fixed. It starts after the valid-bits and channel-mask fields.
constexpr std::size_t kSubFormatOffset = 6;
constexpr std::array<std::uint8_t, 14> kSubFormatTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

WaveFormatEx WaveFormatEx::FromBytes(std::span<const std::uint8_t> bytes) {
    WaveFormatEx f;
    if (bytes.size() < 16) {
        return f;
    }
    f.formatTag = Le16(bytes, 0);
    f.channels = Le16(bytes, 2);
    f.samplesPerSec = Le32(bytes, 4);
    f.avgBytesPerSec = Le32(bytes, 8);
    f.blockAlign = Le16(bytes, 12);
    f.bitsPerSample = Le16(bytes, 14);
    if (bytes.size() >= 18) {
        std::size_t count = std::min<std::size_t>(Le16(bytes, 16), bytes.size() - 18);
        f.extra.assign(bytes.begin() + 18, bytes.begin() + 18 + static_cast<std::ptrdiff_t>(count));
    }
    return f;
}

WaveFormatEx WaveFormatEx::Pcm(std::uint16_t channels, std::uint32_t samplesPerSec,
                               std::uint16_t bitsPerSample) {
    WaveFormatEx f;
    f.formatTag = kPcm;
    f.channels = channels;
    f.samplesPerSec = samplesPerSec;
    f.bitsPerSample = bitsPerSample;
    f.blockAlign = static_cast<std::uint16_t>(channels * ((bitsPerSample + 7) / 8));
    f.avgBytesPerSec = samplesPerSec * f.blockAlign;
    return f;
}

std::vector<std::uint8_t> WaveFormatEx::ToBytes() const {
    std::vector<std::uint8_t> out;
    Put16(out, formatTag);
    Put16(out, channels);
    Put32(out, samplesPerSec);
    Put32(out, avgBytesPerSec);
    Put16(out, blockAlign);
    Put16(out, bitsPerSample);
    if (formatTag != kPcm) {
        Put16(out, static_cast<std::uint16_t>(extra.size()));
        out.insert(out.end(), extra.begin(), extra.end());
    }
    return out;
}

std::uint16_t WaveFormatEx::ExtraU16(std::size_t offset) const {
    if (offset + 2 > extra.size()) {
        return 0;
    }
    return static_cast<std::uint16_t>(extra[offset] | extra[offset + 1] << 8);
}

std::uint16_t WaveFormatEx::SampleTag() const {
    if (formatTag != kExtensible || extra.size() < kSubFormatOffset + 16) {
        return formatTag;
    }
    if (!std::equal(kSubFormatTail.begin(), kSubFormatTail.end(),
                    extra.begin() + kSubFormatOffset + 2)) {
        return formatTag;
    }
    return ExtraU16(kSubFormatOffset);
}
