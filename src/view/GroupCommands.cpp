#include "view/GroupCommands.h"

#include "document/CEarlarkDoc.h"
#include "platform/Prompts.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/FragmentCommands.h"
#include "view/SentenceDelimiters.h"
#include "view/TextMask.h"
#include "view/ViewCommandIds.h"
#include "view/ViewMessages.h"

#include <cstdio>

namespace {

std::string WithCount(const char* format, int count) {
    char text[160];
    std::snprintf(text, sizeof text, format, count);
    return text;
}

} // namespace

void GroupCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kGroupNext, [this] { GroupWithNext(); });
    commands.Add(cmd::kGroupAll, [this] { GroupAll(); });
    commands.Add(cmd::kGroupSplitLast, [this] {
        if (m_view.State().HasGroup()) {
            SplitOffLast();
        }
    });
    commands.Add(cmd::kGroupDissolve, [this] { Dissolve(); });
}

bool GroupCommands::AllowedHere() {
    m_view.Playback().Stop();
    const ViewState& s = m_view.State();
    if (s.rows.IsEmpty()) {
        return false;
    }
    if (!s.IsAllSentencesMode()) {
        m_view.Ports().prompts.ShowMessage(view_messages::kGroupingAllSentencesOnly);
        return false;
    }
    return true;
}

void GroupCommands::GroupWithNext() {
    if (AllowedHere() && Extend()) {
        PlayGroup();
    }
}

void GroupCommands::GroupAll() {
    if (!AllowedHere()) {
        return;
    }
    ViewState& s = m_view.State();
    s.m_curIndex = 0;
    m_view.ShowSentence();
    for (int row = 0; row < s.rows.Count() - 1; ++row) {
        Extend();
    }
    // A single sentence makes no group, and there is nothing to play as one.
    if (s.HasGroup()) {
        PlayGroup();
    }
}

bool GroupCommands::Extend() {
    ViewState& s = m_view.State();
    const ViewPorts& ports = m_view.Ports();
    const bool extending = s.HasGroup();
    if (extending) {
        if (s.m_groupLast + 1 > s.rows.Count() - 1) {
            s.m_groupLast = s.rows.Count() - 1;
            return true;
        }
        ++s.m_groupLast;
    } else {
        if (s.m_curIndex >= s.rows.Count() - 1) {
            ports.prompts.ShowMessage(view_messages::kNoSentenceToMerge);
            return false;
        }
        s.m_groupFirst = s.m_curIndex;
        s.m_groupLast = s.m_curIndex + 1;
        s.rows.SetRowFlags(s.m_groupFirst, CEarlarkWaveSection::kGroupMember, 0);
    }
    s.m_prevIndex = -1;
    s.m_lwText = ports.listenWrite.Text();
    s.m_origText = ports.original.Text();
    if (!extending) {
        const std::u16string first = SentenceDelimiters::Format(s.m_groupFirst + 1) + u" ";
        s.m_lwText.insert(0, first);
        s.m_origText.insert(0, first);
    }
    const CEarlarkWaveSection& added = *s.rows.At(s.m_groupLast);
    const std::u16string delimiter = u" " + SentenceDelimiters::Format(s.m_groupLast + 1) + u" ";
    s.m_lwText += delimiter + added.m_strListenWrite;
    s.m_origText += delimiter + TextMask::MaskOriginalText(added, s.m_originalEditMode,
                                                           m_view.Doc().m_nCharSet);
    ports.listenWrite.SetText(s.m_lwText);
    ports.original.SetText(s.m_origText);
    s.rows.SetRowFlags(s.m_groupLast, CEarlarkWaveSection::kGroupMember, 0);
    ports.list.RepaintRow(s.m_groupFirst);
    ports.list.RepaintRow(s.m_groupLast);
    EnterGroupState();
    return true;
}

void GroupCommands::EnterGroupState() {
    ViewState& s = m_view.State();
    s.m_playMode = PlayItem::kRangePlay;
    s.m_rangeKind = 2;
}

void GroupCommands::PlayGroup() {
    EnterGroupState();
    m_view.Fragments().PlayFragment(FragmentCommands::kGroup);
}

bool GroupCommands::DelimitersMatch(const std::u16string& text, const char* message) {
    const ViewState& s = m_view.State();
    const int size = s.m_groupLast - s.m_groupFirst + 1;
    if (SentenceDelimiters::Count(text) == size) {
        return true;
    }
    m_view.Ports().prompts.ShowMessage(WithCount(message, size));
    return false;
}

bool GroupCommands::SplitOffLast() {
    m_view.Playback().Stop();
    ViewState& s = m_view.State();
    const ViewPorts& ports = m_view.Ports();
    s.m_prevIndex = -1;
    s.m_lwText = ports.listenWrite.Text();
    if (!DelimitersMatch(s.m_lwText, view_messages::kDelimitersInDictation)) {
        return false;
    }
    s.m_origText = ports.original.Text();
    if (!DelimitersMatch(s.m_origText, view_messages::kDelimitersInOriginal)) {
        return false;
    }
    const bool lastPair = s.m_groupLast - s.m_groupFirst == 1;
    CEarlarkWaveSection& last = *s.rows.At(s.m_groupLast);
    const std::u16string lwTail = SentenceDelimiters::SplitOffLast(s.m_lwText, lastPair);
    const std::u16string origTail = SentenceDelimiters::SplitOffLast(s.m_origText, lastPair);
    if (lwTail != last.m_strListenWrite) {
        last.m_strListenWrite = lwTail;
        m_view.Doc().SetModifiedFlag();
    }
    if (s.m_originalEditMode && origTail != last.m_strOriginal) {
        last.m_strOriginal = origTail;
        m_view.Doc().SetModifiedFlag();
    }
    ports.listenWrite.SetText(s.m_lwText);
    ports.original.SetText(s.m_origText);
    s.rows.SetRowFlags(s.m_groupLast, 0, CEarlarkWaveSection::kGroupMember);
    ports.list.RepaintRow(s.m_groupLast);
    --s.m_groupLast;
    if (s.m_groupLast > s.m_groupFirst) {
        return true;
    }
    // Back to one sentence: the boxes belong to it again, so what is typed next is
    // committed into it like into any other sentence.
    s.m_playMode = PlayItem::kSentencePlay;
    s.m_rangeKind = 0;
    s.rows.SetRowFlags(s.m_groupFirst, 0, CEarlarkWaveSection::kGroupMember);
    m_view.CommitBoxTexts(s.rows.At(s.m_groupFirst));
    ports.list.RepaintRow(s.m_groupFirst);
    s.m_prevIndex = s.m_groupFirst;
    s.m_groupFirst = s.m_groupLast = -1;
    return true;
}

void GroupCommands::Dissolve() {
    ViewState& s = m_view.State();
    m_view.Playback().Stop();
    while (s.HasGroup() && s.m_groupLast > s.m_groupFirst && SplitOffLast()) {
    }
    if (!s.HasGroup()) {
        return;
    }
    // The learner broke a delimiter: the group ends without storing its texts.
    s.m_playMode = PlayItem::kSentencePlay;
    s.m_rangeKind = 0;
    for (int row = 0; row < s.rows.Count(); ++row) {
        s.rows.SetRowFlags(row, 0, CEarlarkWaveSection::kGroupMember);
    }
    s.m_groupFirst = s.m_groupLast = -1;
    m_view.Ports().list.RepaintAll();
    m_view.ShowSentence();
}
