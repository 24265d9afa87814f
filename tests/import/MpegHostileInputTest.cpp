// Garbage, truncated and damaged streams through the decoder interface: decoding must end
// with a defined result and never read outside its buffers (the sanitizer build checks).
#include "MpegTestSupport.h"

#include "import/MpegDecoder.h"
#include "import/MpegMemoryInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace mpegtest;

namespace {

// Decodes a memory block to its end; returns the number of frames decoded.
int DecodeAll(const std::vector<std::uint8_t>& data) {
    std::unique_ptr<MpegDecoder> decoder;
    EXPECT_EQ(MpegDecoderCreate(&decoder), kMpegSuccess);
    EXPECT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()), 0);
    const std::string name = MpegMemoryInputName(data.data(), data.size());
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, name.c_str(), -1), kMpegSuccess);
    EXPECT_EQ(MpegDecoderOpenInput(*decoder), kMpegSuccess);
    int decoded = 0;
    for (int calls = 0; calls < 100000; ++calls) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegSuccess) {
            ++decoded;
            continue;
        }
        if (result == kMpegErrorEndOfInput) {
            return decoded;
        }
        EXPECT_EQ(result, kMpegErrorInvalidFrame);
    }
    ADD_FAILURE() << "decoding did not end";
    return decoded;
}

// A stream with real content when the compliance streams are present, else silent frames
// of every layer.
std::vector<std::uint8_t> SampleStream(const std::string& vector) {
    const std::string path = EARLARK_SOURCE_DIR "/../shared/mpeg-vectors/" + vector;
    if (std::filesystem::exists(path)) {
        auto bytes = ReadFile(path);
        bytes.resize(std::min<std::size_t>(bytes.size(), 12000));
        return bytes;
    }
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 8);
    Append(stream, SilentFrame(HeaderWord(3, 2, 10, 1, 1)), 4);
    Append(stream, SilentFrame(HeaderWord(2, 3, 8, 0, 1)), 8);
    return stream;
}

} // namespace

TEST(MpegHostileInputTest, RandomBytesEndCleanly) {
    std::mt19937 random(1);
    for (int round = 0; round < 40; ++round) {
        std::vector<std::uint8_t> data(1 + random() % 6000);
        for (auto& b : data) {
            // Bias towards 0xFF so that headers turn up often.
            b = random() % 4 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
        }
        DecodeAll(data);
    }
}

TEST(MpegHostileInputTest, DamagedStreamsOfEveryLayerEndCleanly) {
    std::mt19937 random(2);
    for (const char* vector : {"l3-compl.bit", "l3-test45.bit", "l2-fl10.bit", "l1-fl8.bit",
                               "l3-si_block.bit", "l3-he_free.bit"}) {
        const auto clean = SampleStream(vector);
        EXPECT_GT(DecodeAll(clean), 0) << vector;
        for (int round = 0; round < 25; ++round) {
            auto damaged = clean;
            const int flips = 1 + static_cast<int>(random() % 40);
            for (int i = 0; i < flips; ++i) {
                damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1 << random() % 8);
            }
            DecodeAll(damaged);
        }
    }
}

TEST(MpegHostileInputTest, EveryTruncationOfAShortStreamEndsCleanly) {
    const auto clean = SampleStream("l3-test46.bit");
    const std::size_t limit = std::min<std::size_t>(clean.size(), 1500);
    int previous = 0;
    for (std::size_t length = 0; length <= limit; length += 7) {
        const int decoded = DecodeAll({clean.begin(), clean.begin() + static_cast<long>(length)});
        EXPECT_GE(decoded + 1, previous) << "a longer prefix lost frames at " << length;
        previous = decoded;
    }
}
