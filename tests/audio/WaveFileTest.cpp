// Opening and probing wave files: the chunk rules, the results 0 / 1 / -1, and damaged files.
#include "audio/CWaveEngine.h"
#include "audio/WaveFixtures.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

int Probe(const Bytes& bytes, CWaveEngine* engine = nullptr) {
    CWaveEngine local;
    CWaveEngine& e = engine != nullptr ? *engine : local;
    int result = e.OpenWaveFile(WriteTemp("probe.wav", bytes));
    if (result != 0) {
        EXPECT_FALSE(e.IsWaveFileOpen()) << "a failed open must leave no file open";
    }
    return result;
}

const Bytes kSamples(100, 0x10);

} // namespace

TEST(OpenWaveFile, PcmWithSixteenByteFormatChunkOpensAndDescribesTheData) {
    CWaveEngine engine;
    const WaveFormat format = Pcm(2, 44100, 16);
    ASSERT_EQ(Probe(PcmWave(format, kSamples), &engine), 0);
    EXPECT_TRUE(engine.IsWaveFileOpen());
    EXPECT_EQ(engine.Format(), format);
    EXPECT_EQ(engine.DataOffset(), 44u);
    EXPECT_EQ(engine.DataSize(), 100u);
    std::uint8_t first[4] = {};
    EXPECT_EQ(engine.ReadData(96, first, 4), 4u);
    EXPECT_EQ(engine.ReadData(98, first, 4), 2u) << "reads stop at the end of the data";
}

TEST(OpenWaveFile, FormatAndDataSizeOutliveClose) {
    CWaveEngine engine;
    ASSERT_EQ(Probe(PcmWave(Pcm(1, 8000, 8), kSamples), &engine), 0);
    engine.CloseWaveFile();
    engine.CloseWaveFile(); // closing twice does nothing
    EXPECT_FALSE(engine.IsWaveFileOpen());
    EXPECT_EQ(engine.DataSize(), 100u);
    EXPECT_EQ(engine.Format().samplesPerSec, 8000u);
    std::uint8_t b = 0;
    EXPECT_EQ(engine.ReadData(0, &b, 1), 0u);
}

TEST(OpenWaveFile, ChunkOrderExtraChunksAndFactValue) {
    CWaveEngine engine;
    Chunk fact{"fact", {1, 2, 3, 4}, {}};
    Chunk odd{"junk", {9, 9, 9}, {}}; // odd size: padded with one byte
    Bytes file = RiffWave({odd, DataChunk(kSamples), fact, FmtChunk(Pcm(1, 11025, 16), 18)});
    ASSERT_EQ(Probe(file, &engine), 0);
    EXPECT_EQ(engine.DataOffset(), 12u + 8u + 4u + 8u);
    EXPECT_EQ(engine.DataSize(), 100u);
    EXPECT_EQ(engine.FactValue(), (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

TEST(OpenWaveFile, FormatChunkWithoutDataChunkOpensWithSizeZero) {
    CWaveEngine engine;
    ASSERT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 8), 18)}), &engine), 0);
    EXPECT_EQ(engine.DataSize(), 0u);
    EXPECT_EQ(engine.MeasureLevel(0, 10), -1);
}

TEST(OpenWaveFile, SixteenByteFormatChunkIsReadAsEighteenBytes) {
    // At the very end of the file the two extra bytes are missing: a short read.
    EXPECT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 8), 16)})), -1);
    // With any chunk after it, the two bytes come from that chunk's header.
    EXPECT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 8), 16), Chunk{"LIST", {}, {}}})), 0);
}

TEST(OpenWaveFile, CompressedAndWidePcmNeedConversion) {
    WaveFormat adpcm = Pcm(1, 22050, 4);
    adpcm.formatTag = 2;
    adpcm.blockAlign = 512;
    EXPECT_EQ(Probe(RiffWave({FmtChunk(adpcm, 50), DataChunk(kSamples)})), 1);
    WaveFormat extensible = Pcm(2, 48000, 16);
    extensible.formatTag = 0xFFFE;
    EXPECT_EQ(Probe(RiffWave({FmtChunk(extensible, 40), DataChunk(kSamples)})), 1);
    EXPECT_EQ(Probe(PcmWave(Pcm(2, 48000, 24), kSamples)), 1);
    EXPECT_EQ(Probe(PcmWave(Pcm(1, 48000, 32), kSamples)), 1);
}

TEST(OpenWaveFile, ConversionResultKeepsTheFormatReadForTheCaller) {
    CWaveEngine engine;
    ASSERT_EQ(Probe(PcmWave(Pcm(2, 48000, 24), kSamples), &engine), 1);
    EXPECT_TRUE(engine.HasFormat());
    EXPECT_EQ(engine.Format().bitsPerSample, 24);
}

TEST(OpenWaveFile, FilesThatAreNotWaveFilesAreUnreadable) {
    std::string text = "This is plainly a text file, not a wave file at all.\n";
    EXPECT_EQ(Probe(Bytes(text.begin(), text.end())), -1);
    EXPECT_EQ(Probe(Bytes{}), -1);
    Bytes avi = PcmWave(Pcm(1, 8000, 8), kSamples);
    avi[8] = 'A', avi[9] = 'V', avi[10] = 'I', avi[11] = ' ';
    EXPECT_EQ(Probe(avi), -1);
    EXPECT_EQ(Probe(RiffWave({DataChunk(kSamples)})), -1) << "no fmt chunk";
    EXPECT_EQ(Probe(RiffWave({})), -1) << "no chunk at all";
    CWaveEngine engine;
    EXPECT_EQ(engine.OpenWaveFile(::testing::TempDir() + "earlark_no_such_file.wav"), -1);
}

TEST(OpenWaveFile, TruncatedAndLyingChunksAreUnreadable) {
    const Bytes good = PcmWave(Pcm(1, 8000, 16), kSamples);
    for (std::size_t cut : {4u, 11u, 12u, 15u, 20u, 30u, 43u, 60u}) {
        EXPECT_EQ(Probe(Bytes(good.begin(), good.begin() + cut)), -1) << "cut at " << cut;
    }
    EXPECT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 16)), Chunk{"data", kSamples, 101}})), -1);
    EXPECT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 16)), Chunk{"data", kSamples, 0xFFFFFFF0}})),
              -1);
    EXPECT_EQ(Probe(RiffWave({Chunk{"fact", {1, 2}, {}}, FmtChunk(Pcm(1, 8000, 16), 18)})), 0)
        << "a short fact chunk is read on into the next chunk";
    EXPECT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 16), 18), Chunk{"fact", {1, 2}, {}}})), -1)
        << "a fact chunk at the end of the file gives a short read";
    Chunk tinyFmt = FmtChunk(Pcm(1, 8000, 16), 12);
    EXPECT_EQ(Probe(RiffWave({tinyFmt, DataChunk(kSamples)})), -1);
}

TEST(OpenWaveFile, RiffSizeBeyondTheFileIsTolerated) {
    EXPECT_EQ(Probe(RiffWave({FmtChunk(Pcm(1, 8000, 16)), DataChunk(kSamples)}, 0xFFFFFFFF)), 0);
}

TEST(OpenWaveFile, FormatsThatCannotBeSteppedThroughAreUnreadable) {
    WaveFormat f = Pcm(2, 44100, 16);
    f.blockAlign = 0;
    EXPECT_EQ(Probe(PcmWave(f, kSamples)), -1);
    f = Pcm(2, 44100, 16);
    f.avgBytesPerSec = 0;
    EXPECT_EQ(Probe(PcmWave(f, kSamples)), -1);
    f = Pcm(2, 44100, 16);
    f.channels = 0;
    EXPECT_EQ(Probe(PcmWave(f, kSamples)), -1);
    f = Pcm(2, 44100, 16);
    f.samplesPerSec = 0;
    EXPECT_EQ(Probe(PcmWave(f, kSamples)), -1);
    f = Pcm(2, 44100, 16);
    f.blockAlign = 2; // a stereo 16-bit frame is 4 bytes
    EXPECT_EQ(Probe(PcmWave(f, kSamples)), -1);
    f = Pcm(1, 44100, 16);
    f.bitsPerSample = 0;
    EXPECT_EQ(Probe(PcmWave(f, kSamples)), -1);
}

TEST(OpenWaveFile, OpeningAnotherFileClosesTheFirst) {
    CWaveEngine engine;
    ASSERT_EQ(Probe(PcmWave(Pcm(1, 8000, 8), kSamples), &engine), 0);
    EXPECT_EQ(engine.OpenWaveFile(WriteTemp("text.wav", Bytes(64, 'x'))), -1);
    EXPECT_FALSE(engine.IsWaveFileOpen());
}
