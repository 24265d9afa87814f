#include "view/NavigationCommands.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CommandMap.h"
#include "view/DictionaryCommands.h"
#include "view/ViewCommandIds.h"

void NavigationCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kNext, [this] { Next(); });
    commands.Add(cmd::kPrevious, [this] { Previous(); });
    commands.Add(cmd::kFirst, [this] { First(); });
    commands.Add(cmd::kLast, [this] { Last(); });
    commands.Add(cmd::kEnter, [this] { Enter(); });
    commands.Add(cmd::kJoinPrevious, [this] { JoinPrevious(); });
    commands.Add(cmd::kJoinNext, [this] { JoinNext(); });
}

// Moving always plays the sentence moved to; ShowSentence keeps the row inside the list,
// so Next on the last row and Previous on the first play that row again.
void NavigationCommands::MoveTo(int row) {
    ViewState& s = m_view.State();
    s.m_curIndex = row;
    s.m_playing = true;
    m_view.ShowSentence();
}

void NavigationCommands::Next() {
    MoveTo(m_view.State().m_curIndex + 1);
}

void NavigationCommands::Previous() {
    MoveTo(m_view.State().m_curIndex - 1);
}

void NavigationCommands::First() {
    MoveTo(0);
}

void NavigationCommands::Last() {
    MoveTo(m_view.State().rows.Count() - 1);
}

// The dictionary search field takes Enter first; a group ends on Enter; in Compare Mode
// Enter checks the transcription.
void NavigationCommands::Enter() {
    ViewState& s = m_view.State();
    if (m_view.Dictionary().SearchFieldHasFocus()) {
        m_view.Dictionary().SearchTypedWord();
    } else if (s.HasGroup()) {
        m_view.OnCommand(cmd::kGroupDissolve);
    } else if (s.m_compareMode && !s.IsRangePlay()) {
        m_view.OnCommand(cmd::kCheck);
    } else {
        Next();
    }
}

bool NavigationCommands::JoinAllowed() {
    const ViewState& s = m_view.State();
    return !s.m_clipPlaying && s.IsAllSentencesMode() && !s.IsRangePlay() &&
           m_view.SentenceCount() > 0;
}

void NavigationCommands::JoinPrevious() {
    ViewState& s = m_view.State();
    if (!JoinAllowed() || s.m_curIndex <= 0) {
        return;
    }
    const CEarlarkWaveSection& current = *s.rows.At(s.m_curIndex);
    CEarlarkWaveSection& previous = *s.rows.At(s.m_curIndex - 1);
    // A sentence starting at byte 0 leaves nothing before it to end on.
    if (current.m_nStart == 0) {
        return;
    }
    previous.m_nEnd = current.m_nStart - 1;
    previous.m_nStart = std::min(previous.m_nStart, previous.m_nEnd);
    m_view.Doc().SetModifiedFlag();
    m_view.RepaintRecordRow(&previous);
}

void NavigationCommands::JoinNext() {
    ViewState& s = m_view.State();
    if (!JoinAllowed() || s.m_curIndex < 0 || s.m_curIndex >= s.rows.Count() - 1) {
        return;
    }
    const CEarlarkWaveSection& current = *s.rows.At(s.m_curIndex);
    CEarlarkWaveSection& next = *s.rows.At(s.m_curIndex + 1);
    // A sentence ending on the last possible offset leaves nothing after it to start on.
    if (current.m_nEnd == 0xFFFFFFFFu) {
        return;
    }
    next.m_nStart = current.m_nEnd + 1;
    next.m_nEnd = std::max(next.m_nEnd, next.m_nStart);
    m_view.Doc().SetModifiedFlag();
    m_view.RepaintRecordRow(&next);
}
