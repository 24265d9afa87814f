#pragma once

#include <functional>
#include <string>

class CAudioImport;
class CEarlarkDoc;
class FileDialogs;
class Prompts;
class SettingsStore;

// What the audio file command needs from the study view and the wave player around it.
struct AudioCommandHost {
    std::function<void()> stopPlayback;
    // Closes the wave player's file, if one is open.
    std::function<void()> closeWaveFile;
    // Opens the play path for output at the rate (0: only to prove it plays); false when
    // it cannot be opened.
    std::function<bool(const std::string& playPath, int rate)> openOutput;
    std::function<void()> closeOutput;
    // Asks the application for a new study (posted, so it runs after the command).
    std::function<void()> postNewStudy;
    // Asks the view for the replace command (posted).
    std::function<void()> postReplaceAudio;
    // The view's operation that appends one sentence spanning the whole recording.
    std::function<void()> addWholeRecordingSentence;
};

// Importing a recording as a new study, or replacing (locating) the current study's
// recording, and the question asked when a study has no audio.
class CAudioFileCommand {
public:
    enum class Mode { Import, Replace };

    CAudioFileCommand(CEarlarkDoc& doc, CAudioImport& import, SettingsStore& settings,
                      Prompts& prompts, FileDialogs& dialogs, AudioCommandHost host);

    // The audio file command (import: 57600, replace: 888 and 32851).
    void Run(Mode mode);

    // Prepares the source and opens it for output at the rate; closes everything again
    // when the open fails.
    bool OpenAudioForPlayback(const std::string& source, int rate);

    // Called when the new study's view is first set up: takes the pending audio, if any
    // (adopt false drops it: the new study was not made).
    void ConsumePendingNewStudyAudio(bool adopt = true);
    bool HasPendingNewStudyAudio() const { return m_pending; }
    const std::string& PendingNewStudyAudio() const { return m_pendingPath; }

    // The sentence-count check of view commands: a study without sentences offers to choose
    // an audio file. Returns the count read again afterwards.
    int CheckSentenceCount(bool initialising);

private:
    void AdoptAudio(const std::string& path);

    CEarlarkDoc& m_doc;
    CAudioImport& m_import;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    FileDialogs& m_dialogs;
    AudioCommandHost m_host;
    bool m_pending = false;
    std::string m_pendingPath;
    bool m_replacing = false;
};
