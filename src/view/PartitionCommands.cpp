#include "view/PartitionCommands.h"

#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "partition/CAutoPartition.h"
#include "partition/PartitionMessages.h"
#include "platform/Prompts.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ListModeCommands.h"
#include "view/ViewCommandIds.h"

#include <new>

void PartitionCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kAutoPartition, [this] { AutoPartition(); });
}

bool PartitionCommands::RecordingReadable() {
    CEarlarkDoc& doc = m_view.Doc();
    const bool opened = m_view.Audio().Command().OpenAudioForPlayback(doc.GetAudioPath(), 0);
    doc.m_player.CloseOutput();
    return opened && doc.m_player.DataSize() != 0;
}

void PartitionCommands::AutoPartition() {
    m_view.Playback().Stop();
    // What was typed for the current sentence belongs to the copies the dialog starts from.
    if (m_view.State().HasGroup()) {
        m_view.EndRangePlay();
    } else {
        m_view.CommitCurrentSentence();
    }
    const ViewPorts& ports = m_view.Ports();
    if (!RecordingReadable()) {
        ports.prompts.ShowMessage(partition_messages::kNoWave, PromptIcon::Warning);
        return;
    }
    if (m_dialog == nullptr) {
        return;
    }
    CEarlarkDoc& doc = m_view.Doc();
    CAutoPartition model(doc, ports.settings, ports.prompts, [this, &doc] {
        return m_view.Audio().Command().OpenAudioForPlayback(doc.GetAudioPath(), 0);
    });
    model.Start();
    if (!m_dialog->Run(model)) {
        return;
    }
    doc.SetModifiedFlag();
    // No row may point at the records about to go; the refilled list starts at its top.
    ViewState& s = m_view.State();
    s.rows.Clear();
    s.m_prevIndex = -1;
    s.m_curIndex = 0;
    s.m_curSentence = nullptr;
    doc.m_sections.DeleteAll();
    try {
        for (auto& sentence : model.TakeSentences()) {
            doc.m_sections.Add(std::move(sentence));
        }
    } catch (const std::bad_alloc&) {
        ports.prompts.ShowMessage(partition_messages::kOutOfMemory, PromptIcon::Warning);
    }
    m_view.ListModes().ShowAll();
}
