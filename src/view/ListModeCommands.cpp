#include "view/ListModeCommands.h"

#include "document/CEarlarkDoc.h"
#include "platform/Prompts.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"
#include "view/ViewMessages.h"

#include <numeric>
#include <utility>
#include <vector>

void ListModeCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kListAll, [this] { ShowAll(); });
    commands.Add(cmd::kListHighlighted, [this] { ShowHighlighted(); });
    commands.Add(cmd::kListRandom, [this] { ShowRandom(); });
}

void ListModeCommands::StartRebuild() {
    ViewState& s = m_view.State();
    m_view.Playback().Stop();
    m_view.EndRangePlay();
    m_view.CommitCurrentSentence();
    s.rows.Clear();
    s.m_prevIndex = -1;
}

// Group flags never survive a refill of the list.
void ListModeCommands::ShowRowOfNewList(int row) {
    ViewState& s = m_view.State();
    for (int i = 0; i < s.rows.Count(); ++i) {
        s.rows.SetRowFlags(i, 0, CEarlarkWaveSection::kGroupMember);
    }
    m_view.Ports().list.RowsChanged();
    s.m_curIndex = row;
    m_view.ShowSentence();
}

void ListModeCommands::ShowAll() {
    ViewState& s = m_view.State();
    CEarlarkDoc& doc = m_view.Doc();
    const int wasCurrent = s.m_curIndex;
    m_view.Playback().Stop();
    m_view.CommitCurrentSentence();
    s.rows.Clear();
    s.m_prevIndex = -1;
    const ViewPorts& ports = m_view.Ports();
    ports.listenWrite.SetCharSet(doc.m_nCharSet);
    ports.original.SetCharSet(doc.m_nCharSet);
    ports.list.SetFont(doc.m_strFontFace, doc.m_nCharSet);
    s.m_timeOrigin = 0;
    for (int i = 0; i < doc.m_sections.GetSize(); ++i) {
        if (s.rows.Count() >= CEarlarkDoc::kMaxSentences) {
            doc.CanAddSentences(s.rows.Count());
            break;
        }
        s.rows.Add(doc.m_sections.GetAt(i));
    }
    if (s.rows.IsEmpty()) {
        ports.list.RowsChanged();
        s.m_curIndex = -1;
        m_view.ShowSentence();
    } else {
        // An opened study returns to the sentence the learner left it at.
        ShowRowOfNewList(wasCurrent == -1 ? doc.m_nCurSentence : 0);
    }
    s.m_highlightedOnly = false;
    s.m_randomOrder = false;
}

void ListModeCommands::ShowHighlighted() {
    ViewState& s = m_view.State();
    CEarlarkDoc& doc = m_view.Doc();
    StartRebuild();
    const int considered = std::min(doc.m_sections.GetSize(), CEarlarkDoc::kMaxSentences);
    for (int i = 0; i < considered; ++i) {
        if (doc.m_sections.GetAt(i)->IsHighlighted()) {
            s.rows.Add(doc.m_sections.GetAt(i));
        }
    }
    if (s.rows.IsEmpty()) {
        m_view.Ports().list.RowsChanged();
        m_view.Ports().prompts.ShowMessage(view_messages::kNoHighlighted);
        ShowAll();
        return;
    }
    ShowRowOfNewList(0);
    s.m_highlightedOnly = true;
    s.m_randomOrder = false;
}

// n/2 swaps of positions r * (n - 1) / 32767 for two draws r of the 15-bit generator.
void ListModeCommands::ShowRandom() {
    ViewState& s = m_view.State();
    CEarlarkDoc& doc = m_view.Doc();
    StartRebuild();
    const int n = std::min(doc.m_sections.GetSize(), CEarlarkDoc::kMaxSentences);
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    for (int swap = 0; swap < n / 2; ++swap) {
        const long long r1 = s.random.Next();
        const long long r2 = s.random.Next();
        std::swap(order[r1 * (n - 1) / ListRandom::kMax], order[r2 * (n - 1) / ListRandom::kMax]);
    }
    for (int index : order) {
        s.rows.Add(doc.m_sections.GetAt(index));
    }
    if (s.rows.IsEmpty()) {
        ShowAll();
        return;
    }
    ShowRowOfNewList(0);
    s.m_randomOrder = true;
    s.m_highlightedOnly = false;
}
