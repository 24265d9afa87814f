#pragma once

#include "audio/PlayerListener.h"
#include "import/CAudioFileCommand.h"
#include "import/CAudioImport.h"
#include "platform/WaitWindow.h"

#include <functional>

class CEarlarkDoc;
class FileDialogs;
class Prompts;
class SettingsStore;

// The study's audio as the application handles it until the study view takes over playback:
// the conversion cache, the audio file commands (import a recording as a new study, replace
// the study's recording) and the whole-recording sentence a new study starts with.
class StudyAudio : private PlayerListener {
public:
    StudyAudio(CEarlarkDoc& doc, SettingsStore& settings, Prompts& prompts, FileDialogs& dialogs);

    CAudioImport& Import() { return m_import; }
    const CAudioImport& Import() const { return m_import; }
    CAudioFileCommand& Command() { return m_command; }
    void SetWaitWindow(WaitWindow& wait) { m_import.SetWaitWindow(wait); }
    // The study view: it receives the player's notices while it plays, and makes the
    // whole-recording sentence of a study that has none. Null returns both to this object.
    void SetView(PlayerListener* listener, std::function<bool()> addWholeRecordingSentence);

    // Import Audio File (Ctrl+N): a new study of the chosen recording. newStudy makes the
    // new study (after offering to save the current one), whose view then takes the
    // recording; false leaves everything as it is.
    void OnImportAudio(const std::function<bool()>& newStudy);
    // Replace (or Locate) Audio File (Alt+M).
    void OnReplaceAudio();

    // Appends one sentence spanning the whole recording of the study; false when the
    // recording cannot be opened or the study is full.
    bool AddWholeRecordingSentence();

private:
    AudioCommandHost MakeHost();
    void OnOutputBufferDone(WaveOutBuffer* buffer) override;
    void OnRangeFinished() override {}

    CEarlarkDoc& m_doc;
    SilentWaitWindow m_silentWait;
    CAudioImport m_import;
    CAudioFileCommand m_command;
    PlayerListener* m_listener = this;
    std::function<bool()> m_addWholeRecording;
};
