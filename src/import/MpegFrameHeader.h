#pragma once

#include <cstdint>

// The 32-bit header that starts every MPEG audio frame (ISO/IEC 11172-3 2.4.2.3 and the
// lower-sampling-frequency extension of ISO/IEC 13818-3, plus the 11-bit sync of the
// 8/11.025/12 kHz rates).
struct MpegFrameHeader {
    enum Version { kMpeg1 = 0, kMpeg2 = 1, kMpeg25 = 2 };
    enum Mode { kStereo = 0, kJointStereo = 1, kDualChannel = 2, kMono = 3 };

    // Fills `header` when `word` is a valid header; false for a bad sync or reserved values.
    static bool Parse(std::uint32_t word, MpegFrameHeader& header);

    // True when both headers belong to the same stream (version, layer, rate).
    bool SameStream(const MpegFrameHeader& other) const;

    int Channels() const { return mode == kMono ? 1 : 2; }
    bool Lsf() const { return version != kMpeg1; }
    int SampleRate() const;
    // kbit/s; 0 for free format.
    int Bitrate() const;
    bool FreeFormat() const { return bitrateIndex == 0; }
    int SamplesPerFrame() const;
    // Bytes of a padding slot: 4 for layer I, 1 otherwise.
    int SlotBytes() const { return layer == 1 ? 4 : 1; }
    // Whole frame length in bytes, header included. Free format needs the frame length
    // without padding measured from the stream.
    int FrameBytes(int freeFormatBytes = 0) const;
    // Layer III side information length in bytes.
    int SideInfoBytes() const;
    // First subband that is coded jointly in intensity stereo of layers I and II.
    int JointBound() const;
    // "Version 1", "Version 2" or "Version 2.5".
    const char* VersionName() const;

    std::uint32_t word = 0;
    int version = kMpeg1;
    int layer = 3;
    bool crc = false;
    int bitrateIndex = 0;
    int sampleRateIndex = 0;
    bool padding = false;
    int mode = kStereo;
    int modeExtension = 0;
};
