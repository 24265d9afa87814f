#include "view/FileCommands.h"

#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"

void FileCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kSaveButton, [this] { Save(); });
    commands.Add(cmd::kSaveStudyAs, [this] { SaveAs(); });
    commands.Add(cmd::kImportAudio, [this] { ImportAudio(); });
    commands.Add(cmd::kReplaceAudio, [this] { ReplaceAudio(); });
    commands.Add(cmd::kLocateAudio, [this] { ReplaceAudio(); });
}

void FileCommands::Save() {
    m_view.Playback().Stop();
    if (m_view.State().HasGroup()) {
        m_view.EndRangePlay();
    } else {
        m_view.CommitCurrentSentence();
    }
    m_view.Doc().DoFileSave();
}

// Save As keeps what was typed for the current sentence too.
void FileCommands::SaveAs() {
    m_view.Playback().Stop();
    m_view.CommitPendingEdits();
    m_view.Doc().DoSave({});
}

void FileCommands::ImportAudio() {
    if (m_view.State().m_playing) {
        m_view.Playback().Stop();
    }
    m_view.Ports().form.SendFrameCommand(cmd::kNewStudy);
}

void FileCommands::ReplaceAudio() {
    if (m_view.State().m_playing) {
        m_view.Playback().Stop();
    }
    m_view.Audio().OnReplaceAudio();
}
