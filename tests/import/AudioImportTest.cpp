// Locating a study's audio, deciding how it is played, and the one-entry conversion cache.
#include "document/CEarlarkDoc.h"
#include "import/CAudioImport.h"
#include "import/ImportMessages.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"
#include "platform/WaitWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class RecordingWaitWindow : public WaitWindow {
public:
    void Show(const std::string& text) override { events.push_back("show:" + text); }
    void Close() override { events.push_back("close"); }
    bool Progress(int percent) override {
        events.push_back("progress:" + std::to_string(percent));
        return !cancel;
    }
    std::vector<std::string> events;
    bool cancel = false;
};

class AudioImportTest : public ::testing::Test {
protected:
    AudioImportTest() : m_import(m_doc, m_settings, m_prompts, m_wait, Backend()) {
        m_import.SetConvertedPath(m_dir.Path("__EARLARK__"));
    }

    ConversionBackend Backend() {
        return {[this](const std::string& path) {
                    probes.push_back(path);
                    return probeResult;
                },
                [this](const std::string& source, const std::string& target) {
                    conversions.push_back("wave:" + source + "->" + target);
                    return conversionSucceeds;
                },
                [this](const std::string& source, const std::string& target) {
                    conversions.push_back("mpeg:" + source + "->" + target);
                    return conversionSucceeds;
                },
                [this](const std::string& source, const std::string& target,
                       const FfmpegAudioDecoder::Progress& progress) {
                    conversions.push_back("media:" + source);
                    std::ofstream(target) << "part";
                    if (!progress(40)) {
                        return FfmpegAudioDecoder::Result::Cancelled;
                    }
                    return conversionSucceeds ? FfmpegAudioDecoder::Result::Done
                                              : FfmpegAudioDecoder::Result::Failed;
                }};
    }

    std::string File(const std::string& name) { return m_dir.Write(name, {1, 2, 3, 4}); }

    int probeResult = 0;
    bool conversionSucceeds = true;
    std::vector<std::string> probes;
    std::vector<std::string> conversions;

    TempDir m_dir;
    CEarlarkDoc m_doc;
    MemorySettingsStore m_settings;
    ScriptedPrompts m_prompts;
    RecordingWaitWindow m_wait;
    CAudioImport m_import;
    std::string m_play;
};

TEST_F(AudioImportTest, MissingPathsAndFiles) {
    EXPECT_EQ(m_import.PrepareAudioSource("", m_play), CAudioImport::kNoPath);
    EXPECT_EQ(m_import.PrepareAudioSource(m_dir.Path("gone.wav"), m_play), CAudioImport::kNotFound);
    EXPECT_TRUE(m_prompts.Messages().empty());
}

TEST_F(AudioImportTest, PcmWaveAndPackagedFilesPlayAsTheyAre) {
    std::string wave = File("Talk.WAV");
    EXPECT_EQ(m_import.PrepareAudioSource(wave, m_play), CAudioImport::kDone);
    EXPECT_EQ(m_play, wave) << "the path is kept as given on this file system";
    EXPECT_EQ(probes, std::vector<std::string>{wave}) << "Talk.WAV is probed like talk.wav";

    probeResult = -1; // unreadable: the player's own open reports it
    EXPECT_EQ(m_import.PrepareAudioSource(wave, m_play), CAudioImport::kDone);
    EXPECT_EQ(m_play, wave);

    std::string packaged = File("lesson.ekw");
    EXPECT_EQ(m_import.PrepareAudioSource(packaged, m_play), CAudioImport::kDone);
    EXPECT_EQ(m_play, packaged);

    std::string other = File("notes.txt");
    EXPECT_EQ(m_import.PrepareAudioSource(other, m_play), CAudioImport::kDone);
    EXPECT_EQ(m_play, "");
    EXPECT_TRUE(conversions.empty());
}

TEST_F(AudioImportTest, TheWaveTestLooksAtTheWholePathFirst) {
    std::filesystem::create_directories(m_dir.Path("album.wav.d"));
    std::string song = File("album.wav.d/song.mp3");
    EXPECT_EQ(m_import.PrepareAudioSource(song, m_play), CAudioImport::kDone);
    EXPECT_EQ(probes.size(), 1u) << "probed as a wave file";
    EXPECT_EQ(m_play, song);
}

TEST_F(AudioImportTest, CompressedWaveAndMpegAreConvertedOnceUnderTheWaitWindow) {
    probeResult = 1;
    std::string compressed = File("adpcm.wav");
    ASSERT_EQ(m_import.PrepareAudioSource(compressed, m_play), CAudioImport::kDone);
    EXPECT_EQ(m_play, m_import.ConvertedPath());
    EXPECT_EQ(m_wait.events, (std::vector<std::string>{
                                 std::string("show:") + import_messages::kPleaseWait, "close"}));
    EXPECT_EQ(settings::kRecentConverted.Read(m_settings), compressed);

    // The same source again: no conversion.
    ASSERT_EQ(m_import.PrepareAudioSource(compressed, m_play), CAudioImport::kDone);
    EXPECT_EQ(conversions.size(), 1u);

    std::string mp3 = File("talk.mp3");
    ASSERT_EQ(m_import.PrepareAudioSource(mp3, m_play), CAudioImport::kDone);
    ASSERT_EQ(conversions.size(), 2u);
    EXPECT_EQ(conversions[1], "mpeg:" + mp3 + "->" + m_import.ConvertedPath());
    EXPECT_EQ(m_import.RecentConvertedSource(), mp3);

    // Forgetting the cache (as the audio file command does) converts afresh.
    m_import.ForgetRecentConvertedSource();
    ASSERT_EQ(m_import.PrepareAudioSource(mp3, m_play), CAudioImport::kDone);
    EXPECT_EQ(conversions.size(), 3u);
}

TEST_F(AudioImportTest, OtherAudioAndVideoFilesAreDecodedByExtension) {
    std::filesystem::create_directories(m_dir.Path("x.flac.d"));
    struct Case {
        std::string name;
        std::string kind;
    };
    for (const Case& c : {Case{"Podcast.M4A", "media"}, Case{"film.mkv", "media"},
                          Case{"x.flac.d/lesson.opus", "media"}, Case{"old.MP2", "mpeg"},
                          Case{"radio.mpa", "mpeg"}}) {
        conversions.clear();
        const std::string path = File(c.name);
        ASSERT_EQ(m_import.PrepareAudioSource(path, m_play), CAudioImport::kDone) << c.name;
        EXPECT_EQ(m_play, m_import.ConvertedPath()) << c.name;
        ASSERT_EQ(conversions.size(), 1u) << c.name;
        EXPECT_EQ(conversions[0].substr(0, c.kind.size() + 1), c.kind + ":") << c.name;
    }
    // Only the file name's own extension counts for these types.
    EXPECT_EQ(m_import.PrepareAudioSource(File("x.flac.d/notes"), m_play), CAudioImport::kDone);
    EXPECT_EQ(m_play, "");
    EXPECT_TRUE(m_prompts.Messages().empty());
}

TEST_F(AudioImportTest, ACancelledDecodingLeavesNoCacheEntryAndNoFile) {
    const std::string first = File("first.ogg");
    ASSERT_EQ(m_import.PrepareAudioSource(first, m_play), CAudioImport::kDone);
    EXPECT_EQ(m_wait.events,
              (std::vector<std::string>{std::string("show:") + import_messages::kPleaseWait,
                                        "progress:40", "close"}));
    EXPECT_FALSE(m_import.LastConversionCancelled());

    m_wait.cancel = true;
    EXPECT_EQ(m_import.PrepareAudioSource(File("second.ogg"), m_play),
              CAudioImport::kConversionFailed);
    EXPECT_TRUE(m_import.LastConversionCancelled());
    EXPECT_EQ(m_play, "");
    EXPECT_TRUE(m_prompts.Messages().empty()) << "a cancel is not a failure to report";
    EXPECT_FALSE(std::filesystem::exists(m_import.ConvertedPath()));
    EXPECT_EQ(m_import.RecentConvertedSource(), "");
    EXPECT_EQ(settings::kRecentConverted.Read(m_settings), "");

    m_wait.cancel = false;
    conversionSucceeds = false;
    EXPECT_EQ(m_import.PrepareAudioSource(first, m_play), CAudioImport::kConversionFailed);
    EXPECT_FALSE(m_import.LastConversionCancelled());
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{import_messages::kConversionFailed});
}

TEST_F(AudioImportTest, AFailedConversionIsReportedAndLeavesNoStaleCacheEntry) {
    std::string first = File("first.mp3");
    ASSERT_EQ(m_import.PrepareAudioSource(first, m_play), CAudioImport::kDone);

    conversionSucceeds = false;
    std::string second = File("second.mp3");
    EXPECT_EQ(m_import.PrepareAudioSource(second, m_play), CAudioImport::kConversionFailed);
    EXPECT_EQ(m_play, "");
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{import_messages::kConversionFailed});
    // The converted file may hold part of the second source now: the first is not cached.
    EXPECT_EQ(m_import.RecentConvertedSource(), "");
    EXPECT_EQ(settings::kRecentConverted.Read(m_settings), "");

    conversionSucceeds = true;
    ASSERT_EQ(m_import.PrepareAudioSource(first, m_play), CAudioImport::kDone);
    EXPECT_EQ(conversions.size(), 3u) << "the first source is converted again";
}

TEST_F(AudioImportTest, AMovedStudyFindsItsAudioBesideTheStudyFile) {
    std::filesystem::create_directories(m_dir.Path("new"));
    std::string study = m_dir.Write("new/lesson.ekd", m_doc.ToBytes());
    std::string audio = File("new/lesson.mp3");
    m_doc.SetPathName(study, false);
    ASSERT_EQ(m_import.PrepareAudioSource("/old/folder/recording.mp3", m_play),
              CAudioImport::kDone);
    EXPECT_EQ(m_doc.m_strAudioPath, audio);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(conversions,
              std::vector<std::string>{"mpeg:" + audio + "->" + m_import.ConvertedPath()});

    // No file of that extension beside the study: not found, nothing changed.
    m_doc.SetModifiedFlag(false);
    EXPECT_EQ(m_import.PrepareAudioSource("/old/folder/recording.wav", m_play),
              CAudioImport::kNotFound);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_import.PrepareAudioSource("/old/folder/noextension", m_play),
              CAudioImport::kNotFound);
}

} // namespace
