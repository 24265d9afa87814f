#pragma once

#include "audio/PlayItem.h"
#include "view/ListRandom.h"
#include "view/SentenceRows.h"

#include <cstdint>
#include <string>
#include <vector>

class CEarlarkWaveSection;

// The transient state of the study view: what is current, what plays, which modes are on.
// None of it is saved except through the document's display flags. Command classes of
// the view read and change it directly.
struct ViewState {
    SentenceRows rows;
    int m_curIndex = -1;
    // The row whose texts the two boxes hold; -1 after the list is rebuilt.
    int m_prevIndex = -1;
    CEarlarkWaveSection* m_curSentence = nullptr;
    std::u16string m_lwText;
    std::u16string m_origText;

    bool m_playing = false;
    bool m_paused = false;
    std::uint32_t m_pausePos = 0;
    int m_playMode = PlayItem::kSentencePlay;
    // With range play: 1 the whole recording, 2 a sentence group.
    int m_rangeKind = 0;
    int m_groupFirst = -1;
    int m_groupLast = -1;
    std::vector<PlayItem> m_playQueue;
    int m_queuePos = 0;
    int m_buffersDone = 0;
    std::uint32_t m_fragmentStart = 0;
    bool m_clipPlaying = false;
    std::uint32_t m_timeOrigin = 0;

    bool m_showOriginal = false;
    bool m_originalEditMode = false;
    bool m_compareMode = false;
    bool m_autoPlay = false;
    bool m_listenSpeak = false;
    bool m_highlightedOnly = false;
    bool m_randomOrder = false;
    bool m_phrasePlay = false;

    // Program-wide switches: the sentence box's visibility (not saved) and the two bits of
    // the "Options" setting.
    bool m_listShown = true;
    bool m_alwaysOnTop = false;
    bool m_showRepeatCount = true;
    bool m_spectrumOn = true;

    // Set during the initial update: an empty list asks nothing then.
    bool m_initialising = false;
    // The command being handled, and the modifier keys held with it.
    int m_currentCommand = 0;
    bool m_shiftDown = false;
    // Set by a request to add a whole-recording sentence: the next audio-ready check
    // succeeds once with an empty list.
    bool m_allowEmptyOnce = false;
    // The value the time display shows, 0xFFFFFFFF when blank.
    std::uint32_t m_timeShown = 0;

    ListRandom random;

    bool IsRangePlay() const { return m_playMode == PlayItem::kRangePlay; }
    bool HasGroup() const { return IsRangePlay() && m_rangeKind == 2; }
    bool IsAllSentencesMode() const { return !m_highlightedOnly && !m_randomOrder; }
};
