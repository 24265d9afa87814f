// The decoder's stream input (bytes pushed as they arrive) against the same bytes read whole
// through an input module: the same frames, however the stream is cut into pieces. And the
// wave codec built on it, fed in buffers of any size into destinations of any size.
#include "MpegTestSupport.h"

#include "import/MpegDecoder.h"
#include "import/MpegMemoryInput.h"
#include "import/MpegWaveCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

using namespace mpegtest;

namespace {

// What a decode gave, frame by frame.
struct Frames {
    std::vector<std::int16_t> samples;
    std::vector<std::uint32_t> sizes;
    int invalid = 0;
    std::uint64_t junk = 0;
};

void Take(const MpegDecoder& decoder, Frames& frames) {
    const MpegOutputBuffer& out = decoder.OutputBuffer();
    const auto* s = reinterpret_cast<const std::int16_t*>(out.samples);
    frames.samples.insert(frames.samples.end(), s, s + out.size / 2);
    frames.sizes.push_back(out.size);
}

Frames DecodeWhole(const std::vector<std::uint8_t>& data) {
    Frames frames;
    std::unique_ptr<MpegDecoder> decoder;
    EXPECT_EQ(MpegDecoderCreate(&decoder), kMpegSuccess);
    EXPECT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()), 0);
    const std::string name = MpegMemoryInputName(data.data(), data.size());
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, name.c_str(), -1), kMpegSuccess);
    EXPECT_EQ(MpegDecoderOpenInput(*decoder), kMpegSuccess);
    for (;;) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegSuccess) {
            Take(*decoder, frames);
        } else if (result == kMpegErrorInvalidFrame) {
            ++frames.invalid;
        } else {
            EXPECT_EQ(result, kMpegErrorEndOfInput);
            break;
        }
    }
    frames.junk = decoder->Stats().junkBytes;
    return frames;
}

// Pushes the stream in pieces whose sizes cycle through `pieces`, decoding whenever the
// decoder asks for more, then ends the input and decodes the rest.
Frames DecodePushed(const std::vector<std::uint8_t>& data, const std::vector<std::size_t>& pieces) {
    Frames frames;
    std::unique_ptr<MpegDecoder> decoder;
    EXPECT_EQ(MpegDecoderCreate(&decoder), kMpegSuccess);
    EXPECT_EQ(MpegDecoderOpenStream(*decoder), kMpegSuccess);
    std::size_t at = 0;
    std::size_t next = 0;
    bool ended = false;
    for (;;) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegSuccess) {
            Take(*decoder, frames);
        } else if (result == kMpegErrorInvalidFrame) {
            ++frames.invalid;
        } else if (result == kMpegNeedMoreInput) {
            EXPECT_FALSE(ended);
            if (at < data.size()) {
                const std::size_t piece =
                    std::min(pieces[next++ % pieces.size()], data.size() - at);
                MpegDecoderPushInput(*decoder, data.data() + at, piece);
                at += piece;
            } else {
                MpegDecoderEndInput(*decoder);
                ended = true;
            }
        } else {
            EXPECT_EQ(result, kMpegErrorEndOfInput);
            break;
        }
    }
    frames.junk = decoder->Stats().junkBytes;
    return frames;
}

void ExpectSameFrames(const std::vector<std::uint8_t>& data, const std::string& what) {
    const Frames whole = DecodeWhole(data);
    for (const std::vector<std::size_t>& pieces :
         std::vector<std::vector<std::size_t>>{{1}, {7, 1, 300}, {417}, {4096}, {1u << 20}}) {
        const Frames pushed = DecodePushed(data, pieces);
        EXPECT_EQ(pushed.sizes, whole.sizes) << what << ", pieces of " << pieces[0];
        EXPECT_EQ(pushed.invalid, whole.invalid) << what << ", pieces of " << pieces[0];
        EXPECT_EQ(pushed.junk, whole.junk) << what << ", pieces of " << pieces[0];
        EXPECT_TRUE(pushed.samples == whole.samples) << what << ", pieces of " << pieces[0];
    }
}

std::vector<std::uint8_t> Prefix(const std::string& path, std::size_t bytes) {
    std::vector<std::uint8_t> data = ReadFile(path);
    data.resize(std::min(data.size(), bytes));
    return data;
}

} // namespace

TEST(MpegStreamInput, GivesTheFramesOfTheWholeStreamForTheFuzzSeeds) {
    const std::filesystem::path seeds = EARLARK_SOURCE_DIR "/tests/fuzz/seeds/mpeg";
    int streams = 0;
    for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
        ExpectSameFrames(ReadFile(entry.path().string()), entry.path().filename().string());
        ++streams;
    }
    EXPECT_GT(streams, 0);
}

// Free format, CRC, intensity stereo, layers I and II, the lower rates: the compliance
// streams cover what the frame reader decides on. Their first 12,000 bytes are enough.
TEST(MpegStreamInput, GivesTheFramesOfTheWholeStreamForTheComplianceStreams) {
    const std::string vectors = EARLARK_SOURCE_DIR "/../shared/mpeg-vectors/";
    const char* const names[] = {"l1-fl8.bit",      "l2-fl10.bit",     "l2-fl16.bit",
                                 "l3-he_free.bit",  "l3-si_block.bit", "l3-test45.bit",
                                 "M2L3_compl24.bit"};
    int found = 0;
    for (const char* name : names) {
        if (std::filesystem::exists(vectors + name)) {
            ExpectSameFrames(Prefix(vectors + name, 12000), name);
            ++found;
        }
    }
    if (found == 0) {
        GTEST_SKIP() << "the compliance streams are not in shared/mpeg-vectors";
    }
}

TEST(MpegStreamInput, GivesTheFramesOfTheWholeStreamForGarbageAndTags) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> stream;
    // An ID3v2 tag, junk that looks like headers, frames of two layers, a cut frame.
    const std::vector<std::uint8_t> tag = {'I', 'D', '3', 3, 0, 0, 0, 0, 2, 0};
    Append(stream, tag);
    stream.resize(stream.size() + 256, 0);
    for (int i = 0; i < 300; ++i) {
        stream.push_back(random() % 3 == 0 ? 0xFF : static_cast<std::uint8_t>(random()));
    }
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 5);
    Append(stream, SilentFrame(HeaderWord(3, 2, 10, 1, 3)), 3);
    std::vector<std::uint8_t> cut = SilentFrame(HeaderWord(3, 3, 9, 0, 1));
    cut.resize(cut.size() / 2);
    Append(stream, cut);
    ExpectSameFrames(stream, "garbage and tags");
    for (int round = 0; round < 10; ++round) {
        std::vector<std::uint8_t> damaged = stream;
        for (int i = 0; i < 20; ++i) {
            damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1 << random() % 8);
        }
        ExpectSameFrames(damaged, "damaged round " + std::to_string(round));
    }
}

TEST(MpegStreamInput, BytesPushedAfterTheEndContinueTheStream) {
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 4);
    std::unique_ptr<MpegDecoder> decoder;
    ASSERT_EQ(MpegDecoderCreate(&decoder), kMpegSuccess);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegErrorInternal); // nothing open yet
    ASSERT_EQ(MpegDecoderOpenStream(*decoder), kMpegSuccess);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegNeedMoreInput);
    MpegDecoderEndInput(*decoder);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegErrorEndOfInput);
    MpegDecoderPushInput(*decoder, stream.data(), stream.size());
    MpegDecoderEndInput(*decoder);
    int frames = 0;
    while (MpegDecoderDecodeFrame(*decoder) == kMpegSuccess) {
        ++frames;
    }
    EXPECT_EQ(frames, 4);
}

namespace {

// Runs the wave codec as the conversion does, with source buffers and destinations of the
// given sizes; returns its output.
std::vector<std::uint8_t> RunCodec(AudioCodec& codec, const std::vector<std::uint8_t>& data,
                                   std::size_t sourceBuffer, std::size_t destinationBuffer) {
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> destination(destinationBuffer);
    std::size_t at = 0;
    for (int calls = 0; calls < 1000000; ++calls) {
        const std::size_t length = std::min(sourceBuffer, data.size() - at);
        const bool last = at + length == data.size();
        CodecConversion done;
        EXPECT_TRUE(codec.Convert({data.data() + at, length}, destination,
                                  AudioCodec::kBlockAlign | (last ? AudioCodec::kEndOfStream : 0),
                                  &done));
        EXPECT_LE(done.consumed, length);
        EXPECT_LE(done.produced, destination.size());
        out.insert(out.end(), destination.begin(),
                   destination.begin() + static_cast<long>(done.produced));
        at += done.consumed;
        if (last && done.consumed == length && done.produced == 0) {
            return out;
        }
    }
    ADD_FAILURE() << "the codec did not finish";
    return out;
}

std::vector<std::uint8_t> AsBytes(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

} // namespace

TEST(MpegStreamInput, TheWaveCodecGivesEveryFrameWhateverItsBuffers) {
    const std::string path = EARLARK_SOURCE_DIR "/tests/fuzz/seeds/mpeg/layer3_stereo";
    const std::vector<std::uint8_t> stream = ReadFile(path);
    const std::vector<std::uint8_t> expected = AsBytes(DecodeWhole(stream).samples);
    ASSERT_FALSE(expected.empty());
    WaveFormatEx format;
    format.formatTag = WaveFormatEx::kMpegLayer3;
    format.channels = 2;
    format.samplesPerSec = 44100;
    format.blockAlign = 1;
    for (std::size_t sourceBuffer :
         {std::size_t{1}, std::size_t{100}, std::size_t{1152}, stream.size()}) {
        for (std::size_t destinationBuffer :
             {std::size_t{4}, std::size_t{1000}, std::size_t{1} << 20}) {
            std::unique_ptr<AudioCodec> codec = MpegWaveCodec::Create(format);
            ASSERT_NE(codec, nullptr);
            EXPECT_EQ(RunCodec(*codec, stream, sourceBuffer, destinationBuffer), expected)
                << "source buffers of " << sourceBuffer << ", destinations of "
                << destinationBuffer;
        }
    }
}

TEST(MpegStreamInput, TheWaveCodecEstimateHoldsAFullBufferOfStandardFrames) {
    WaveFormatEx format;
    format.formatTag = WaveFormatEx::kMpegLayer3;
    format.channels = 2;
    format.samplesPerSec = 44100;
    std::unique_ptr<AudioCodec> codec = MpegWaveCodec::Create(format);
    // 32 kbit/s at 44.1 kHz: 104 or 105 bytes per frame of 1152 samples, four bytes each.
    const std::size_t frames = 16000 / 104 + 1;
    EXPECT_GE(codec->EstimateOutputSize(16000), (frames + 2) * 1152 * 4);
    EXPECT_GE(codec->EstimateOutputSize(1), 1152u * 4);
    format.samplesPerSec = 22050; // 8 kbit/s: 26 or 27 bytes per frame of 576 samples
    codec = MpegWaveCodec::Create(format);
    EXPECT_GE(codec->EstimateOutputSize(3600), (3600 / 26 + 1 + 2) * 576 * 4);
}
