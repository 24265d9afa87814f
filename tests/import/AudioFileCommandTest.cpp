// The audio file command (import and replace) and the question for a study without audio.
#include "document/CEarlarkDoc.h"
#include "import/CAudioFileCommand.h"
#include "import/CAudioImport.h"
#include "import/ImportMessages.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"
#include "platform/WaitWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class AudioFileCommandTest : public ::testing::Test {
protected:
    AudioFileCommandTest()
        : m_import(m_doc, m_settings, m_prompts, m_wait, Backend()),
          m_command(m_doc, m_import, m_settings, m_prompts, m_dialogs, Host()) {
        m_import.SetConvertedPath(m_dir.Path("__EARLARK__"));
        m_doc.OnNewDocument();
    }

    ConversionBackend Backend() {
        auto convert = [this](const std::string& source, const std::string&) {
            log.push_back("convert " + source);
            return true;
        };
        auto decode = [this](const std::string& source, const std::string&,
                             const FfmpegAudioDecoder::Progress&) {
            log.push_back("decode " + source);
            return FfmpegAudioDecoder::Result::Done;
        };
        return {[](const std::string& path) { return path.ends_with("adpcm.wav") ? 1 : 0; },
                convert, convert, decode};
    }

    AudioCommandHost Host() {
        AudioCommandHost host;
        host.stopPlayback = [this] { log.push_back("stop"); };
        host.closeWaveFile = [this] { log.push_back("close-file"); };
        host.openOutput = [this](const std::string& path, int rate) {
            log.push_back("open " + path + " at " + std::to_string(rate));
            return openSucceeds;
        };
        host.closeOutput = [this] { log.push_back("close-output"); };
        host.postNewStudy = [this] { log.push_back("post 777"); };
        host.postReplaceAudio = [this] { log.push_back("post 888"); };
        host.addWholeRecordingSentence = [this] {
            log.push_back("whole");
            m_doc.m_sections.Add(std::make_unique<CEarlarkWaveSection>());
        };
        return host;
    }

    bool openSucceeds = true;
    std::vector<std::string> log;

    TempDir m_dir;
    CEarlarkDoc m_doc;
    MemorySettingsStore m_settings;
    ScriptedPrompts m_prompts;
    SilentWaitWindow m_wait;
    ScriptedFileDialogs m_dialogs;
    CAudioImport m_import;
    CAudioFileCommand m_command;
};

TEST_F(AudioFileCommandTest, TheDialogStartsFromTheLastChosenAudioFile) {
    settings::kWavInDir.Write(m_settings, "/audio/last.mp3");
    m_command.Run(CAudioFileCommand::Mode::Import);
    ASSERT_EQ(m_dialogs.requests.size(), 1u);
    const FileDialogRequest& r = m_dialogs.requests[0];
    EXPECT_EQ(r.title, "Open audio file (*.wav,*.mp3,*.ekw) ");
    EXPECT_EQ(r.filter.rfind("Audio file *.wav,*.mp3,*.ekw)|*.wav;*.mp3;*.ekw|Audio and video "
                             "files|*.flac;",
                             0),
              0u)
        << r.filter;
    EXPECT_NE(r.filter.find(";*.opus;"), std::string::npos);
    EXPECT_EQ(r.filter.substr(r.filter.size() - 2), "||");
    EXPECT_EQ(r.defaultExtension, "wav");
    EXPECT_EQ(r.initialPath, "/audio/last.mp3");
    EXPECT_TRUE(r.mustExist);
    EXPECT_EQ(log, (std::vector<std::string>{"stop", "close-file"})) << "cancel ends the command";
}

TEST_F(AudioFileCommandTest, ImportProvesTheFilePlaysThenAsksForANewStudy) {
    m_dialogs.answer = m_dir.Write("talk.wav", {0});
    m_command.Run(CAudioFileCommand::Mode::Import);
    EXPECT_EQ(settings::kWavInDir.Read(m_settings), *m_dialogs.answer);
    EXPECT_EQ(log,
              (std::vector<std::string>{"stop", "close-file", "open " + *m_dialogs.answer + " at 0",
                                        "close-output", "post 777"}));
    EXPECT_TRUE(m_command.HasPendingNewStudyAudio());
    EXPECT_EQ(m_doc.m_strAudioPath, "") << "the new study takes the audio, not this one";

    m_doc.OnNewDocument();
    m_command.ConsumePendingNewStudyAudio();
    EXPECT_FALSE(m_command.HasPendingNewStudyAudio());
    EXPECT_EQ(m_doc.m_strAudioPath, *m_dialogs.answer);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_sections.GetSize(), 1);
    m_command.ConsumePendingNewStudyAudio();
    EXPECT_EQ(m_doc.m_sections.GetSize(), 1) << "consumed once";
}

TEST_F(AudioFileCommandTest, ImportingTheSameCompressedFileTwiceConvertsTwice) {
    m_dialogs.answer = m_dir.Write("adpcm.wav", {0});
    m_command.Run(CAudioFileCommand::Mode::Import);
    m_command.Run(CAudioFileCommand::Mode::Import);
    EXPECT_EQ(std::count(log.begin(), log.end(), "convert " + *m_dialogs.answer), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "open " + m_import.ConvertedPath() + " at 0"), 2);
}

TEST_F(AudioFileCommandTest, ReplaceSetsTheAudioAndKeepsExistingSentences) {
    m_doc.m_sections.Add(std::make_unique<CEarlarkWaveSection>());
    m_dialogs.answer = m_dir.Write("new.wav", {0});
    m_command.Run(CAudioFileCommand::Mode::Replace);
    EXPECT_EQ(m_doc.m_strAudioPath, *m_dialogs.answer);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_sections.GetSize(), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "whole"), 0);
}

TEST_F(AudioFileCommandTest, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
    openSucceeds = false;
    m_dialogs.answer = m_dir.Write("broken.wav", {0});
    m_command.Run(CAudioFileCommand::Mode::Replace);
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{import_messages::kCannotOpenAudio});
    EXPECT_EQ(m_doc.m_strAudioPath, "");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(log.back(), "close-output") << "whatever was opened is released";
}

TEST_F(AudioFileCommandTest, AStudyWithoutSentencesOffersToChooseAnAudioFile) {
    m_prompts.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(m_command.CheckSentenceCount(false), 0);
    EXPECT_EQ(m_prompts.Questions(), std::vector<std::string>{import_messages::kNoAudioFile});
    EXPECT_EQ(log, std::vector<std::string>{"post 888"});

    m_prompts.QueueAnswer(PromptAnswer::No);
    m_command.CheckSentenceCount(false);
    EXPECT_EQ(log.size(), 1u);

    m_command.CheckSentenceCount(true);
    EXPECT_EQ(m_prompts.Questions().size(), 2u) << "not asked while the view is set up";

    m_doc.m_sections.Add(std::make_unique<CEarlarkWaveSection>());
    EXPECT_EQ(m_command.CheckSentenceCount(false), 1);
    EXPECT_EQ(m_prompts.Questions().size(), 2u);
}

} // namespace
