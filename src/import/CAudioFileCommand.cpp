#include "import/CAudioFileCommand.h"

#include "document/CEarlarkDoc.h"
#include "import/AudioFileTypes.h"
#include "import/CAudioImport.h"
#include "import/ImportMessages.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"

CAudioFileCommand::CAudioFileCommand(CEarlarkDoc& doc, CAudioImport& import,
                                     SettingsStore& settings, Prompts& prompts,
                                     FileDialogs& dialogs, AudioCommandHost host)
    : m_doc(doc), m_import(import), m_settings(settings), m_prompts(prompts), m_dialogs(dialogs),
      m_host(std::move(host)) {}

bool CAudioFileCommand::OpenAudioForPlayback(const std::string& source, int rate) {
    std::string playPath;
    if (m_import.PrepareAudioSource(source, playPath) < 0) {
        return false;
    }
    if (m_host.openOutput(playPath, rate)) {
        return true;
    }
    m_host.closeOutput();
    return false;
}

void CAudioFileCommand::Run(Mode mode) {
    // The replace command must not ask for an audio file while it is choosing one.
    m_replacing = mode == Mode::Replace;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clearOnExit{m_replacing};
    m_host.stopPlayback();
    m_host.closeWaveFile();

    FileDialogRequest request;
    request.title = "Open audio file (*.wav,*.mp3,*.ekw) ";
    // The classic entry first, then everything else the import decodes; the list ends
    // with the empty entry.
    request.filter = "Audio file *.wav,*.mp3,*.ekw)|*.wav;*.mp3;*.ekw|" +
                     audio_file_types::DialogFilterEntry() + "|";
    request.defaultExtension = "wav";
    request.initialPath = settings::kWavInDir.Read(m_settings);
    request.mustExist = true;
    auto chosen = m_dialogs.GetOpenFileName(request);
    if (!chosen) {
        return;
    }
    settings::kWavInDir.Write(m_settings, *chosen);
    // A file chosen here is always converted afresh.
    m_import.ForgetRecentConvertedSource();

    if (!OpenAudioForPlayback(*chosen, 0)) {
        if (!m_import.LastConversionCancelled()) {
            m_prompts.ShowMessage(import_messages::kCannotOpenAudio, PromptIcon::Warning);
        }
        return;
    }
    m_host.closeOutput();

    if (mode == Mode::Import) {
        m_pending = true;
        m_pendingPath = *chosen;
        m_host.postNewStudy();
    } else {
        AdoptAudio(*chosen);
    }
}

void CAudioFileCommand::ConsumePendingNewStudyAudio(bool adopt) {
    if (!m_pending) {
        return;
    }
    m_pending = false;
    if (adopt) {
        AdoptAudio(m_pendingPath);
    }
}

void CAudioFileCommand::AdoptAudio(const std::string& path) {
    m_doc.m_strAudioPath = path;
    m_doc.SetModifiedFlag();
    if (m_doc.m_sections.GetSize() == 0) {
        m_host.addWholeRecordingSentence();
    }
}

int CAudioFileCommand::CheckSentenceCount(bool initialising) {
    if (m_doc.m_sections.GetSize() == 0 && !initialising && !m_replacing) {
        if (m_prompts.AskYesNo(import_messages::kNoAudioFile) == PromptAnswer::Yes) {
            m_host.postReplaceAudio();
        }
    }
    return m_doc.m_sections.GetSize();
}
