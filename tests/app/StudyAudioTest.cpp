// Importing a recording as a new study and replacing a study's recording, end to end through
// the real probe, conversions and wave engine (on a manual-clock output device).
#include "AppFixture.h"
#include "import/ImportMessages.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/SettingsTable.h"
#include "support/Bytes.h"

#include <cstdlib>

namespace {

// A mono 16-bit PCM wave file of the given number of samples.
std::vector<std::uint8_t> PcmWave(std::uint32_t samples) {
    Bytes b;
    b.Raw("RIFF").U32(36 + samples * 2).Raw("WAVE");
    b.Raw("fmt ").U32(16).U16(1).U16(1).U32(8000).U32(16000).U16(2).U16(16);
    b.Raw("data").U32(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        b.U16(static_cast<std::uint16_t>((i * 37) & 0x3FFF));
    }
    return b.Data();
}

class StudyAudioTest : public AppFixture {
protected:
    void SetUp() override {
        m_doc.m_player.SetOutputDevice(&m_device);
        ASSERT_TRUE(Start());
    }
    void TearDown() override {
        m_doc.m_player.CloseOutput();
        m_doc.m_player.SetOutputDevice(nullptr);
    }
    void Import() {
        m_app.Audio().OnImportAudio([this] { return m_app.OnFileNew(); });
    }

    PumpedMessageQueue m_messages;
    ManualClockWaveOutDevice m_device{m_messages};
};

TEST_F(StudyAudioTest, ImportingAWaveFileMakesANewStudyWithOneWholeRecordingSentence) {
    m_dialogs.answer = m_dir.Write("talk.wav", PcmWave(4000));
    Import();
    EXPECT_TRUE(m_prompts.Messages().empty());
    EXPECT_EQ(m_doc.m_strAudioPath, *m_dialogs.answer);
    EXPECT_TRUE(m_doc.IsModified());
    ASSERT_EQ(m_doc.m_sections.GetSize(), 1);
    const CEarlarkWaveSection& whole = *m_doc.m_sections.GetAt(0);
    EXPECT_EQ(whole.m_nStart, 0u);
    EXPECT_EQ(whole.m_nEnd, 7999u);
    EXPECT_EQ(whole.m_nFlags, CEarlarkWaveSection::kWholeRecording);
    EXPECT_EQ(settings::kWavInDir.Read(m_settings), *m_dialogs.answer);
    EXPECT_FALSE(m_doc.m_player.IsOutputOpen()) << "the proof-open is closed again";
}

TEST_F(StudyAudioTest, AFileThatIsNoRecordingIsRefusedAndTheStudyStays) {
    m_dialogs.answer = m_dir.Write("notes.wav", Bytes().Raw("not a wave file at all").Data());
    Import();
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{import_messages::kCannotOpenAudio});
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(StudyAudioTest, AnMpegFileWithoutASingleFrameIsRefused) {
    m_dialogs.answer = m_dir.Write("junk.mp3", std::vector<std::uint8_t>(3000, 0x11));
    Import();
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{import_messages::kCannotOpenAudio});
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
}

TEST_F(StudyAudioTest, ReplacingTheRecordingOfAStudyWithoutSentencesAddsTheWholeSentence) {
    m_dialogs.answer = m_dir.Write("other.wav", PcmWave(100));
    m_app.Audio().OnReplaceAudio();
    EXPECT_EQ(m_doc.m_strAudioPath, *m_dialogs.answer);
    ASSERT_EQ(m_doc.m_sections.GetSize(), 1);
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_nEnd, 199u);
}

TEST_F(StudyAudioTest, AnMpegRecordingIsDecodedIntoTheConvertedFileAndCached) {
    if (std::system("command -v lame >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "lame is not installed (scripts/test installs it)";
    }
    std::string wave = m_dir.Write("source.wav", PcmWave(16000));
    std::string mp3 = m_dir.Path("talk.mp3");
    ASSERT_EQ(std::system(("lame --quiet '" + wave + "' '" + mp3 + "'").c_str()), 0);
    m_dialogs.answer = mp3;
    Import();
    EXPECT_TRUE(m_prompts.Messages().empty());
    EXPECT_EQ(m_app.RecentConvertedSource(), mp3);
    EXPECT_EQ(settings::kRecentConverted.Read(m_settings), mp3);
    EXPECT_TRUE(std::filesystem::exists(m_app.ConvertedPath()));
    ASSERT_EQ(m_doc.m_sections.GetSize(), 1);
    // The decoded audio holds whole frames: at least the source's 32,000 bytes.
    EXPECT_GE(m_doc.m_sections.GetAt(0)->m_nEnd + 1, 32000u);
    EXPECT_TRUE(m_doc.m_sections.GetAt(0)->IsWholeRecording());
}

} // namespace
