#include "view/FragmentCommands.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"

#include <algorithm>

void FragmentCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kPlayOnce, [this] { PlayFragment(kOnce); });
    commands.Add(cmd::kPlayWhole, [this] {
        PlayFragment(m_view.State().m_rangeKind == 2 ? kGroup : kWholeRecording);
    });
    commands.Add(cmd::kPlayClip, [this] { PlayClip(); });
}

void FragmentCommands::EndRangePlay() {
    ViewState& s = m_view.State();
    m_view.Playback().Stop();
    if (s.HasGroup()) {
        m_view.EndRangePlay();
    }
    s.m_playMode = PlayItem::kSentencePlay;
    s.m_rangeKind = 0;
}

void FragmentCommands::PlayFragment(int type) {
    if (m_view.SentenceCount() == 0) {
        return;
    }
    if (m_view.State().IsRangePlay() && type != kGroup) {
        EndRangePlay();
        return;
    }
    StartFragment(type);
}

// The controller's own restart of a range with auto-play, which the refusal of single
// fragments during range play does not apply to.
void FragmentCommands::RestartRange() {
    if (m_view.SentenceCount() == 0) {
        return;
    }
    StartFragment(m_view.State().m_rangeKind == 2 ? kGroup : kWholeRecording);
}

void FragmentCommands::StartFragment(int type) {
    ViewState& s = m_view.State();
    m_view.Doc().m_player.ResetOutput();
    if (!m_view.AudioReady() || (type < kWholeRecording && s.m_curSentence == nullptr)) {
        return;
    }
    Range range;
    switch (type) {
    case kOnce:
        s.m_playMode = PlayItem::kFragment;
        range = {s.m_curSentence->m_nStart, s.m_curSentence->m_nEnd, 1, 0};
        break;
    case kStartPreview:
        range = StartPreview();
        break;
    case kEndPreview:
        range = EndPreview();
        break;
    case kWholeRecording:
        range = WholeRecording();
        break;
    case kGroup:
        range = Group();
        break;
    default:
        return;
    }
    PlayOneItem(range);
    if (type != kOnce) {
        m_view.Doc().SetModifiedFlag();
    }
}

void FragmentCommands::PlayOneItem(Range range) {
    ViewState& s = m_view.State();
    s.m_playQueue.clear();
    s.m_playing = true;
    s.m_queuePos = 0;
    s.m_fragmentStart = range.start;
    if (s.m_paused) {
        range.start = s.m_pausePos;
        s.m_paused = false;
        m_view.Ports().displays.SetButtonOn(cmd::kPause, false);
    }
    PlayItem item;
    item.start = item.curStart = range.start;
    item.end = item.curEnd = range.end;
    item.mode = s.m_playMode;
    item.kind = PlayItem::kPlain;
    item.rate = m_view.Doc().m_nSpeed;
    item.repetitions = range.repetitions;
    item.intervalBytes = range.interval;
    s.m_playQueue.push_back(item);
    m_view.Playback().StartItem(false);
}

std::uint32_t FragmentCommands::ShortSpan() const {
    const CWaveEngine& engine = m_view.Doc().m_player;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(engine.Format().avgBytesPerSec) *
                                      3 / 10);
}

// The start of the sentence moved: its first 0.3 seconds, never past the last byte.
FragmentCommands::Range FragmentCommands::StartPreview() {
    ViewState& s = m_view.State();
    CEarlarkWaveSection& sentence = *s.m_curSentence;
    s.m_playMode = PlayItem::kFragment;
    if (static_cast<std::int32_t>(sentence.m_nStart) < 0) {
        sentence.m_nStart = 0;
    }
    const std::uint32_t last = LastDataByte();
    const std::uint64_t wanted = static_cast<std::uint64_t>(sentence.m_nStart) + ShortSpan();
    Range range{sentence.m_nStart,
                static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, last)), 1, 0};
    sentence.m_nEnd = std::max(sentence.m_nEnd, range.end);
    s.m_timeOrigin = std::min(s.m_timeOrigin, sentence.m_nStart);
    return range;
}

// The end of the sentence moved: its last 0.3 seconds.
FragmentCommands::Range FragmentCommands::EndPreview() {
    ViewState& s = m_view.State();
    CEarlarkWaveSection& sentence = *s.m_curSentence;
    s.m_playMode = PlayItem::kFragment;
    sentence.m_nEnd = std::min(sentence.m_nEnd, LastDataByte());
    const std::uint32_t span = ShortSpan();
    Range range{sentence.m_nEnd > span ? sentence.m_nEnd - span : 0, sentence.m_nEnd, 1, 0};
    sentence.m_nStart = std::min(sentence.m_nStart, range.start);
    return range;
}

FragmentCommands::Range FragmentCommands::WholeRecording() {
    ViewState& s = m_view.State();
    s.m_rangeKind = 1;
    s.m_playMode = PlayItem::kRangePlay;
    const CEarlarkWaveSection* first = s.rows.At(0);
    const CEarlarkWaveSection* last = s.rows.At(s.rows.Count() - 1);
    return {first ? first->m_nStart : 0, last ? last->m_nEnd : m_view.Doc().m_player.DataSize(),
            static_cast<std::uint32_t>(m_view.Doc().m_nRepeat), 0};
}

FragmentCommands::Range FragmentCommands::Group() {
    ViewState& s = m_view.State();
    s.m_playMode = PlayItem::kRangePlay;
    s.m_rangeKind = 2;
    const CEarlarkWaveSection* first = s.rows.At(s.m_groupFirst);
    const CEarlarkWaveSection* last = s.rows.At(s.m_groupLast);
    Range range{first ? first->m_nStart : 0, last ? last->m_nEnd : m_view.Doc().m_player.DataSize(),
                static_cast<std::uint32_t>(m_view.Doc().m_nRepeat), 0};
    range.interval = m_view.Playback().IntervalBytes(range.start, range.end);
    return range;
}

std::uint32_t FragmentCommands::LastDataByte() const {
    const std::uint32_t size = m_view.Doc().m_player.DataSize();
    return size > 0 ? size - 1 : 0;
}

void FragmentCommands::PlayClip() {
    ViewState& s = m_view.State();
    if (s.IsRangePlay()) {
        // During whole-recording play the request only ends the range play; a group is
        // dissolved and the clip plays.
        const bool whole = !s.HasGroup();
        EndRangePlay();
        if (whole) {
            return;
        }
    }
    m_view.Doc().m_player.ResetOutput();
    if (!m_view.AudioReady() || s.m_curSentence == nullptr) {
        return;
    }
    const std::uint32_t a = s.m_curSentence->m_nClipStart;
    const std::uint32_t b = s.m_curSentence->m_nClipEnd;
    if (a >= b) {
        return;
    }
    s.m_playQueue.clear();
    s.m_queuePos = 0;
    s.m_playMode = PlayItem::kFragment;
    s.m_playing = true;
    s.m_clipPlaying = true;
    if (!m_view.Playback().PlayRange(a, b, 0)) {
        m_view.Playback().Stop();
        return;
    }
    m_view.Ports().displays.SetTime(0xFFFFFFFFu, 0);
    s.m_timeShown = 0xFFFFFFFFu;
    s.m_buffersDone = 0;
}
