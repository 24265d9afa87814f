// The codec service: which records it suggests a PCM format for, and stream opening.
#include "platform/CodecService.h"
#include "CodecTestSupport.h"

#include <gtest/gtest.h>

namespace {

using codec_test::Format;

std::vector<std::uint8_t> SubFormat(std::uint16_t tag, std::uint8_t lastByte = 0x71) {
    Bytes b;
    b.U16(0).U32(3).U16(tag).Raw(std::vector<std::uint8_t>{
        0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, lastByte});
    return b.Data();
}

TEST(CodecService, SuggestsSixteenBitPcmAtTheSourceRateAndChannels) {
    CodecService service(CodecService::PlatformCodecs());
    const std::vector<WaveFormatEx> sources = {
        Format(0x11, 2, 44100, 2048, 4, Bytes().U16(2041).Data()),
        Format(0x02, 2, 44100, 2048, 4),
        Format(0x06, 2, 44100, 2, 8),
        Format(0x07, 2, 44100, 2, 8),
        Format(0x03, 2, 44100, 8, 32),
        Format(0x01, 2, 44100, 6, 24),
        Format(0x01, 2, 44100, 8, 32),
        Format(0xFFFE, 2, 44100, 8, 32, SubFormat(3)),
        Format(0xFFFE, 2, 44100, 6, 24, SubFormat(1)),
    };
    for (const WaveFormatEx& source : sources) {
        std::optional<WaveFormatEx> suggested = service.SuggestPcmFormat(source);
        ASSERT_TRUE(suggested) << "tag " << source.formatTag;
        EXPECT_EQ(*suggested, WaveFormatEx::Pcm(2, 44100, 16)) << "tag " << source.formatTag;
    }
    EXPECT_EQ(service.SuggestPcmFormat(Format(0x31, 1, 8000, 65, 0)),
              WaveFormatEx::Pcm(1, 8000, 16));
}

TEST(CodecService, SuggestsNothingForRecordsNoCodecTakes) {
    CodecService service(CodecService::PlatformCodecs());
    const std::vector<WaveFormatEx> sources = {
        Format(0x55, 2, 44100, 1, 0), // MPEG layer III: not among these codecs
        Format(0x31, 1, 8000, 33, 0), // GSM without WAV-49 blocks
        Format(0x31, 2, 8000, 65, 0), // GSM is mono
        Format(0xFFFE, 2, 44100, 8, 32, SubFormat(3, 0x70)), // unknown sub-format GUID
        Format(0xFFFE, 2, 44100, 8, 32),                     // extensible without its fields
        Format(0x11, 1, 44100, 0, 4),                        // block alignment 0
        Format(0x1234, 1, 8000, 1, 8),
    };
    for (const WaveFormatEx& source : sources) {
        EXPECT_FALSE(service.SuggestPcmFormat(source)) << "tag " << source.formatTag;
    }
}

TEST(CodecService, OpensAStreamOnlyForTheSuggestedDestination) {
    CodecService service(CodecService::PlatformCodecs());
    WaveFormatEx alaw = Format(0x06, 1, 8000, 1, 8);
    EXPECT_TRUE(service.OpenStream(alaw, WaveFormatEx::Pcm(1, 8000, 16)));
    EXPECT_FALSE(service.OpenStream(alaw, WaveFormatEx::Pcm(1, 8000, 8)));
    EXPECT_FALSE(service.OpenStream(alaw, WaveFormatEx::Pcm(2, 8000, 16)));
}

TEST(CodecService, TriesTheFactoriesInOrder) {
    int asked = 0;
    CodecService::Factory declines = [&](const WaveFormatEx&) -> std::unique_ptr<AudioCodec> {
        ++asked;
        return nullptr;
    };
    std::vector<CodecService::Factory> factories = {declines};
    for (auto& f : CodecService::PlatformCodecs()) {
        factories.push_back(f);
    }
    CodecService service(factories);
    EXPECT_TRUE(service.SuggestPcmFormat(Format(0x07, 1, 8000, 1, 8)));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(CodecService({}).SuggestPcmFormat(Format(0x07, 1, 8000, 1, 8)));
}

TEST(WaveFormatEx, ReadsAndWritesFormatRecords) {
    Bytes b;
    b.U16(0x11).U16(2).U32(44100).U32(44359).U16(2048).U16(4).U16(40).U16(2041);
    WaveFormatEx f = WaveFormatEx::FromBytes(b.Data());
    EXPECT_EQ(f.formatTag, 0x11);
    EXPECT_EQ(f.avgBytesPerSec, 44359u);
    EXPECT_EQ(f.extra, Bytes().U16(2041).Data()); // the count claims 40, two bytes are there
    EXPECT_EQ(f.ExtraU16(0), 2041);
    EXPECT_EQ(f.ExtraU16(1), 0);
    EXPECT_EQ(f.ToBytes().size(), 20u);
    EXPECT_EQ(WaveFormatEx::Pcm(2, 8000, 16).ToBytes(),
              Bytes().U16(1).U16(2).U32(8000).U32(32000).U16(4).U16(16).Data());
    EXPECT_EQ(WaveFormatEx::FromBytes(Bytes().U16(1).Data()), WaveFormatEx{});
    EXPECT_EQ(Format(0xFFFE, 1, 8000, 4, 32, SubFormat(3)).SampleTag(), 3);
    EXPECT_EQ(Format(0xFFFE, 1, 8000, 4, 32, SubFormat(3, 0)).SampleTag(), 0xFFFE);
}

} // namespace
