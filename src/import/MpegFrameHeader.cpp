#include "import/MpegFrameHeader.h"

namespace {

// kbit/s by [lsf][layer - 1][index].
const short kBitrates[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};

const int kSampleRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};

} // namespace

bool MpegFrameHeader::Parse(std::uint32_t word, MpegFrameHeader& header) {
    if ((word & 0xFFE00000u) != 0xFFE00000u) {
        return false;
    }
    const int versionBits = (word >> 19) & 3;
    const int layerBits = (word >> 17) & 3;
    const int bitrateBits = (word >> 12) & 15;
    const int rateBits = (word >> 10) & 3;
    const int emphasis = word & 3;
    if (versionBits == 1 || layerBits == 0 || bitrateBits == 15 || rateBits == 3 || emphasis == 2) {
        return false;
    }
    header.word = word;
    header.version = versionBits == 3 ? kMpeg1 : versionBits == 2 ? kMpeg2 : kMpeg25;
    header.layer = 4 - layerBits;
    header.crc = ((word >> 16) & 1) == 0;
    header.bitrateIndex = bitrateBits;
    header.sampleRateIndex = rateBits;
    header.padding = ((word >> 9) & 1) != 0;
    header.mode = (word >> 6) & 3;
    header.modeExtension = (word >> 4) & 3;
    return true;
}

bool MpegFrameHeader::SameStream(const MpegFrameHeader& other) const {
    return version == other.version && layer == other.layer &&
           sampleRateIndex == other.sampleRateIndex;
}

int MpegFrameHeader::SampleRate() const {
    return kSampleRates[version][sampleRateIndex];
}

int MpegFrameHeader::Bitrate() const {
    return kBitrates[Lsf() ? 1 : 0][layer - 1][bitrateIndex];
}

int MpegFrameHeader::SamplesPerFrame() const {
    if (layer == 1) {
        return 384;
    }
    return layer == 3 && Lsf() ? 576 : 1152;
}

int MpegFrameHeader::FrameBytes(int freeFormatBytes) const {
    const int pad = padding ? SlotBytes() : 0;
    if (FreeFormat()) {
        return freeFormatBytes > 0 ? freeFormatBytes + pad : 0;
    }
    const int bitsPerSecond = Bitrate() * 1000;
    if (layer == 1) {
        return (12 * bitsPerSecond / SampleRate()) * 4 + pad;
    }
    const int factor = layer == 3 && Lsf() ? 72 : 144;
    return factor * bitsPerSecond / SampleRate() + pad;
}

int MpegFrameHeader::SideInfoBytes() const {
    if (Lsf()) {
        return Channels() == 1 ? 9 : 17;
    }
    return Channels() == 1 ? 17 : 32;
}

int MpegFrameHeader::JointBound() const {
    if (mode == kMono) {
        return 0;
    }
    return mode == kJointStereo ? 4 + 4 * modeExtension : 32;
}

const char* MpegFrameHeader::VersionName() const {
    return version == kMpeg1 ? "1" : version == kMpeg2 ? "2" : "2.5";
}
