#include "view/TextCommands.h"

#include "document/CEarlarkDoc.h"
#include "platform/Prompts.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ListModeCommands.h"
#include "view/ViewCommandIds.h"
#include "view/ViewMessages.h"

void TextCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kResetListenWrite, [this] { ResetListenWrite(); });
    commands.Add(cmd::kCopyOriginal, [this] { CopyOriginal(); });
    commands.Add(cmd::kCopyToOriginal, [this] { CopyToOriginal(); });
    commands.Add(cmd::kMoveRest, [this] { MoveRest(); });
}

void TextCommands::ResetListenWrite() {
    m_view.Playback().Stop();
    const ViewPorts& ports = m_view.Ports();
    if (ports.prompts.AskYesNoDefaultNo(view_messages::kResetListenWrite) != PromptAnswer::Yes) {
        return;
    }
    ViewState& s = m_view.State();
    for (int row = 0; row < s.rows.Count(); ++row) {
        CEarlarkWaveSection& sentence = *s.rows.At(row);
        sentence.m_strListenWrite.clear();
        sentence.m_nPlayCount = 0;
        sentence.m_nHintLevel = 0;
    }
    // The box still holds the old transcription: it must not be committed back.
    s.m_prevIndex = -1;
    m_view.ShowSentence();
    ports.list.RepaintAll();
    m_view.Doc().SetModifiedFlag();
}

bool TextCommands::CopyAllowed() {
    const ViewState& s = m_view.State();
    return !s.rows.IsEmpty() && !s.IsRangePlay() && s.rows.At(s.m_curIndex) != nullptr;
}

// Copies one text of the current sentence into the other through its box, so that box
// and record agree; with Shift and a Yes, the same for every listed sentence. False when
// only the current sentence was copied.
bool TextCommands::CopyText(std::u16string CEarlarkWaveSection::*from,
                            std::u16string CEarlarkWaveSection::*to, TextBoxPort& box,
                            const char* question) {
    ViewState& s = m_view.State();
    const bool allListed = s.m_shiftDown;
    CEarlarkWaveSection& sentence = *s.rows.At(s.m_curIndex);
    m_view.CommitCurrentSentence();
    box.SetText(sentence.*from);
    m_view.CommitCurrentSentence();
    if (!allListed || m_view.Ports().prompts.AskYesNo(question) != PromptAnswer::Yes) {
        return false;
    }
    for (int row = 0; row < s.rows.Count(); ++row) {
        CEarlarkWaveSection& listed = *s.rows.At(row);
        if (listed.*to != listed.*from) {
            listed.*to = listed.*from;
            m_view.Doc().SetModifiedFlag();
        }
    }
    return true;
}

void TextCommands::CopyOriginal() {
    if (CopyAllowed() &&
        CopyText(&CEarlarkWaveSection::m_strOriginal, &CEarlarkWaveSection::m_strListenWrite,
                 m_view.Ports().listenWrite, view_messages::kCopyOriginalToOthers)) {
        m_view.ListModes().ShowAll();
    }
}

// Only in editing mode: elsewhere the Original Text box shows the masked text.
void TextCommands::CopyToOriginal() {
    if (m_view.State().m_originalEditMode && CopyAllowed()) {
        CopyText(&CEarlarkWaveSection::m_strListenWrite, &CEarlarkWaveSection::m_strOriginal,
                 m_view.Ports().original, view_messages::kCopyToOriginalOfOthers);
    }
}

void TextCommands::MoveRest() {
    ViewState& s = m_view.State();
    const ViewPorts& ports = m_view.Ports();
    if (s.IsRangePlay() || s.m_rangeKind != 0 || s.m_curIndex < 0 ||
        s.m_curIndex >= s.rows.Count() - 1) {
        return;
    }
    const bool inListenWrite = ports.listenWrite.HasFocus();
    // Outside editing mode the Original Text box shows the masked text: moving that would
    // write mask characters into the next sentence's Original Text.
    if (!inListenWrite && !(ports.original.HasFocus() && s.m_originalEditMode)) {
        return;
    }
    TextBoxPort& box = inListenWrite ? ports.listenWrite : ports.original;
    CEarlarkWaveSection& next = *s.rows.At(s.m_curIndex + 1);
    std::u16string& nextText = inListenWrite ? next.m_strListenWrite : next.m_strOriginal;
    const std::u16string text = box.Text();
    const std::size_t caret = std::min<std::size_t>(box.SelectionStart(), text.size());
    nextText = text.substr(caret) + u" " + nextText;
    box.SetText(text.substr(0, caret));
    m_view.CommitCurrentSentence();
    m_view.Doc().SetModifiedFlag();
    ports.list.RepaintRow(s.m_curIndex + 1);
}
