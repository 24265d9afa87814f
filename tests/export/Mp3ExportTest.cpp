// Exports rendered through the wave engine and the real encoder library, decoded by mpg123.
#include "export/Mp3Export.h"
#include "audio/EngineHarness.h"
#include "export/ExportMessages.h"
#include "export/ExportProgress.h"
#include "export/Mp3EncoderDriver.h"
#include "export/Mp3ExportRenderer.h"
#include "export/Mp3Probe.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace {

constexpr std::uint32_t kRate = 22050;
constexpr std::uint32_t kSecond = kRate * 2; // bytes of 16-bit mono

// Records what the export shows; asks for Cancel at the given cancel check.
class RecordingProgress : public ExportProgress {
public:
    void Show(const std::string& text, std::int64_t, std::int64_t upper) override {
        shown = text;
        this->upper = upper;
    }
    void SetPosition(std::int64_t position) override { positions.push_back(position); }
    bool CancelRequested() override { return ++checks == cancelAt; }
    void Close() override { closed = true; }

    int cancelAt = 0;
    int checks = 0;
    std::string shown;
    std::int64_t upper = 0;
    std::vector<std::int64_t> positions;
    bool closed = false;
};

PlayItem Item(double from, double to, int rate, std::uint32_t reps, double pause) {
    PlayItem item;
    item.start = item.curStart = static_cast<std::uint32_t>(from * kSecond);
    item.end = item.curEnd = static_cast<std::uint32_t>(to * kSecond);
    item.rate = rate;
    item.repetitions = reps;
    item.intervalBytes = static_cast<std::uint32_t>(pause * kSecond);
    return item;
}

class Mp3ExportTest : public EngineHarness {
protected:
    void SetUp() override {
        if (!HaveMpg123()) {
            GTEST_SKIP() << "mpg123 is not installed";
        }
        Open(fixtures::Pcm(1, kRate, 16), fixtures::Sine16(kRate * 4, 440, kRate, 16000));
    }
    bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

    TempDir dir;
    ScriptedPrompts prompts;
    RecordingProgress progress;
    Mp3EncoderDriver encoder{TESSELCONV_LIBRARY, &prompts};
    Mp3Export exporter{engine, encoder, prompts, progress};
};

TEST_F(Mp3ExportTest, PassesAndUnstretchedPausesComeOutInOrder) {
    const std::string path = dir.Path("out.mp3");
    std::vector<PlayItem> items = {Item(0, 1, 100, 2, 0.5), Item(1, 1.5, 50, 1, 0.3),
                                   Item(2, 3, 100, 0, 1), Item(3, 3.4, 100, 1, 0)};
    // A pause of one piece and one byte: the odd byte is no frame and renders as nothing.
    items[3].intervalBytes = Mp3ExportRenderer::kPieceBytes + 1;
    ASSERT_TRUE(exporter.ExportToFile(items, path, 64));
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{exportmsg::kCompleted});
    EXPECT_EQ(progress.positions, (std::vector<std::int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(exporter.SourceBytes(), 2 * kSecond + kSecond / 2 + kSecond * 4 / 10);
    const Decoded decoded = DecodeMp3(path);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.rate, kRate);
    // Sound 1 s, pause 0.5 s, sound 1 s, pause 0.5 s, half a second at half speed, a pause
    // of 0.3 s (not stretched), 0.4 s and the long pause, all after the encoder's delay of
    // 1105 samples.
    const std::vector<double> expected = {1.0, 1.5, 2.5, 3.0, 4.0, 4.3, 4.7};
    const std::vector<double> runs = Edges(decoded);
    ASSERT_EQ(runs.size(), expected.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_NEAR(runs[i] - 1105.0 / kRate, expected[i], 0.03) << i;
    }
    const double extra = decoded.Frames() - exporter.EncodedPcmBytes() / 2.0;
    EXPECT_GE(extra, 1105);
    EXPECT_LE(extra, 1105 + 576 + 576);
}

TEST_F(Mp3ExportTest, FailuresShowTheirMessageAndLeaveNoFile) {
    struct Case {
        const char* name;
        std::string path;
        std::string library;
        std::vector<PlayItem> items;
        int cancelAt;
        rlim_t fileSizeLimit;
        const char* message;
    };
    std::vector<PlayItem> huge(2000, Item(0, 1, 33, 20, 0));
    for (PlayItem& item : huge) {
        item.intervalBytes = 4000000000u;
    }
    const std::vector<PlayItem> items = {Item(0, 2, 100, 3, 0.2)};
    const std::vector<Case> cases = {
        {"cancel", dir.Path("a.mp3"), TESSELCONV_LIBRARY, items, 2, 0, exportmsg::kFailed},
        {"disk full", dir.Path("b.mp3"), TESSELCONV_LIBRARY, items, 0, 8192, exportmsg::kFailed},
        {"no folder", dir.Path("no/c.mp3"), TESSELCONV_LIBRARY, items, 0, 0,
         exportmsg::kCannotCreate},
        {"no library", dir.Path("d.mp3"), dir.Path("libTesselConv.so"), items, 0, 0,
         exportmsg::kCannotStart},
        {"no space", dir.Path("e.mp3"), TESSELCONV_LIBRARY, huge, 0, 0, exportmsg::kNoSpace},
    };
    const std::string neighbour = dir.Write("neighbour.mp3", {9});
    std::signal(SIGXFSZ, SIG_IGN);
    for (const Case& c : cases) {
        ScriptedPrompts shown;
        RecordingProgress watched;
        watched.cancelAt = c.cancelAt;
        Mp3EncoderDriver driver(c.library, &shown);
        Mp3Export failing(engine, driver, shown, watched);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        if (c.fileSizeLimit > 0) {
            rlimit limited = before;
            limited.rlim_cur = c.fileSizeLimit;
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        EXPECT_FALSE(failing.ExportToFile(c.items, c.path, 48)) << c.name;
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(shown.Messages(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_FALSE(FileExists(c.path)) << c.name;
        EXPECT_EQ(watched.closed, !watched.shown.empty()) << c.name;
    }
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(TempDir::Read(neighbour), std::vector<std::uint8_t>{9});
}

TEST_F(Mp3ExportTest, EachSentenceFileStaysOnceFinished) {
    const std::vector<PlayItem> items = {Item(0, 1, 100, 1, 0), Item(1, 2, 100, 1, 0),
                                         Item(2, 3, 100, 1, 0)};
    const std::vector<std::string> files = {dir.Path("1.mp3"), dir.Path("2.mp3"),
                                            dir.Path("3.mp3")};
    ASSERT_TRUE(exporter.ExportEachToFile(items, files, files[0], 32));
    for (const std::string& file : files) {
        const Decoded decoded = DecodeMp3(file);
        ASSERT_TRUE(decoded.ok);
        EXPECT_NEAR(decoded.Frames(), kRate + 1105 + 576, 576);
    }
    // A cancel in the second sentence keeps the first file and removes the second.
    std::filesystem::remove(files[1]);
    std::filesystem::remove(files[2]);
    progress.cancelAt = progress.checks + 2;
    EXPECT_FALSE(exporter.ExportEachToFile(items, files, files[0], 32));
    EXPECT_TRUE(FileExists(files[0]));
    EXPECT_FALSE(FileExists(files[1]) || FileExists(files[2]));
    EXPECT_EQ(prompts.Messages().back(), exportmsg::kFailed);
}

TEST_F(Mp3ExportTest, RangeExportShowsPieceOffsetsAndSurvivesOddBounds) {
    // A range whose ends are not whole frames is cut at frames; the progress shows how far
    // into the range each piece of four seconds of CD audio starts.
    engine.CloseOutput();
    engine.CloseWaveFile();
    Open(fixtures::Pcm(2, 44100, 16), fixtures::Sine16(44100 * 10, 440, 44100, 16000, 2));
    const std::string path = dir.Path("range.mp3");
    ASSERT_TRUE(exporter.ExportRange(3, 44100 * 4 * 9 + 3, path, 128));
    EXPECT_EQ(progress.upper, 44100 * 4 * 9);
    EXPECT_EQ(progress.positions, (std::vector<std::int64_t>{0, 705600, 1411200}));
    EXPECT_EQ(exporter.EncodedPcmBytes(), 44100u * 4 * 9);
    const Decoded decoded = DecodeMp3(path);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_NEAR(decoded.Frames(), 44100 * 9 + 1105 + 576, 1152);
}

} // namespace
