#include "app/StudyAudio.h"

#include "document/CEarlarkDoc.h"
#include "import/DefaultConversionBackend.h"

StudyAudio::StudyAudio(CEarlarkDoc& doc, SettingsStore& settings, Prompts& prompts,
                       FileDialogs& dialogs)
    : m_doc(doc),
      m_import(doc, settings, prompts, m_silentWait, DefaultConversionBackend(doc.m_player)),
      m_command(doc, m_import, settings, prompts, dialogs, MakeHost()) {}

AudioCommandHost StudyAudio::MakeHost() {
    AudioCommandHost host;
    host.stopPlayback = [this] { m_doc.m_player.ResetOutput(); };
    host.closeWaveFile = [this] { m_doc.m_player.CloseWaveFile(); };
    // A recording without a single sample (a file in which no MPEG frame could be decoded
    // converts to one) cannot be studied: it counts as a file that does not open.
    host.openOutput = [this](const std::string& playPath, int rate) {
        return m_doc.m_player.OpenOutput(playPath, m_listener, rate) &&
               m_doc.m_player.DataSize() > 0;
    };
    host.closeOutput = [this] { m_doc.m_player.CloseOutput(); };
    // The application runs the posted commands itself once the command returns.
    host.postNewStudy = [] {};
    host.postReplaceAudio = [this] { OnReplaceAudio(); };
    host.addWholeRecordingSentence = [this] {
        if (m_addWholeRecording) {
            m_addWholeRecording();
        } else {
            AddWholeRecordingSentence();
        }
    };
    return host;
}

void StudyAudio::SetView(PlayerListener* listener,
                         std::function<bool()> addWholeRecordingSentence) {
    m_listener = listener ? listener : this;
    m_addWholeRecording = listener ? std::move(addWholeRecordingSentence) : nullptr;
}

void StudyAudio::OnImportAudio(const std::function<bool()>& newStudy) {
    m_command.Run(CAudioFileCommand::Mode::Import);
    if (!m_command.HasPendingNewStudyAudio()) {
        return;
    }
    const bool made = newStudy();
    // Without a view the recording is taken here; a view takes it in its initial update.
    // A study that was not made must not take the recording later.
    if (!made || !m_addWholeRecording) {
        m_command.ConsumePendingNewStudyAudio(made);
    }
}

void StudyAudio::OnReplaceAudio() {
    m_command.Run(CAudioFileCommand::Mode::Replace);
}

bool StudyAudio::AddWholeRecordingSentence() {
    if (!m_doc.CanAddSentences(m_doc.m_sections.GetSize())) {
        return false;
    }
    CWaveEngine& player = m_doc.m_player;
    if (!m_command.OpenAudioForPlayback(m_doc.GetAudioPath(), m_doc.m_nSpeed)) {
        return false;
    }
    const std::uint32_t dataSize = player.DataSize();
    player.CloseOutput();
    if (dataSize == 0) {
        return false;
    }
    auto whole = std::make_unique<CEarlarkWaveSection>();
    whole->m_nEnd = dataSize - 1;
    whole->UpdateWholeFlag(dataSize);
    m_doc.m_sections.Add(std::move(whole));
    return true;
}

void StudyAudio::OnOutputBufferDone(WaveOutBuffer* buffer) {
    m_doc.m_player.OnBufferDone(buffer, true);
}
