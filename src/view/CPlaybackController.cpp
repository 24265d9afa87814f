#include "view/CPlaybackController.h"

#include "audio/SentencePadding.h"
#include "platform/SettingsTable.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CommandMap.h"
#include "view/FragmentCommands.h"
#include "view/SpectrumAnalyzer.h"
#include "view/ViewCommandIds.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kBlankTime = 0xFFFFFFFFu;

std::uint32_t Saturate(std::uint64_t value) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xFFFFFFFFu));
}

} // namespace

CPlaybackController::CPlaybackController(CEarlarkMainView& view)
    : m_view(view), m_spectrum(SpectrumAnalyzer::Create()) {}

CPlaybackController::~CPlaybackController() = default;

void CPlaybackController::Register(CommandMap& commands) {
    commands.Add(cmd::kPlay, [this] { Play(); });
    commands.Add(cmd::kPause, [this] { Pause(); });
    commands.Add(cmd::kStop, [this] { Stop(); });
}

std::uint32_t CPlaybackController::IntervalBytes(std::uint32_t start, std::uint32_t end) const {
    const CEarlarkDoc& doc = m_view.Doc();
    const std::uint32_t byteRate =
        doc.m_player.HasFormat() ? doc.m_player.Format().avgBytesPerSec : 0;
    return PauseBytes(start, end, doc.m_nInterval, m_view.State().m_listenSpeak, byteRate);
}

std::uint32_t CPlaybackController::PauseBytes(std::uint32_t start, std::uint32_t end, int value,
                                              bool proportional, std::uint32_t byteRate) {
    // The study stores the interval unsigned; a negative value saturates below.
    const std::uint64_t interval = static_cast<std::uint32_t>(value);
    if (proportional) {
        // Half lengths of the range, a half byte rounded up.
        const std::uint64_t length = end >= start ? end - start : 0;
        return Saturate((length * interval + 1) / 2);
    }
    return Saturate(interval * byteRate / 10);
}

void CPlaybackController::Play() {
    ViewState& s = m_view.State();
    m_view.Doc().m_player.ResetOutput();
    if (!m_view.AudioReady()) {
        return;
    }
    if (s.m_paused) {
        s.m_paused = false;
        m_view.Ports().displays.SetButtonOn(cmd::kPause, false);
    }
    if (s.m_curIndex >= 0 && s.m_curIndex < s.rows.Count()) {
        PlaySentence();
    }
    m_view.Ports().listenWrite.SetFocus();
}

PlayItem CPlaybackController::MakeItem(std::uint32_t start, std::uint32_t end, int kind,
                                       std::uint32_t repetitions) const {
    PlayItem item;
    item.start = item.curStart = start;
    item.end = item.curEnd = end;
    item.mode = PlayItem::kSentencePlay;
    item.kind = kind;
    item.rate = m_view.Doc().m_nSpeed;
    item.repetitions = repetitions;
    item.intervalBytes = IntervalBytes(start, end);
    return item;
}

void CPlaybackController::PlaySentence() {
    ViewState& s = m_view.State();
    s.m_clipPlaying = false;
    if (!m_view.AudioReady()) {
        return;
    }
    if (s.HasGroup()) {
        m_view.Fragments().PlayFragment(FragmentCommands::kGroup);
        return;
    }
    s.m_playQueue.clear();
    s.m_queuePos = 0;
    if (s.m_curIndex < 0 || s.m_curIndex >= s.rows.Count()) {
        return;
    }
    m_view.Ports().list.SetCurSel(s.m_curIndex);
    const CEarlarkWaveSection& sentence = *s.rows.At(s.m_curIndex);
    std::uint32_t start = sentence.m_nStart;
    std::uint32_t end = sentence.m_nEnd;
    const CWaveEngine& engine = m_view.Doc().m_player;
    SentencePadding::Apply(
        start, end,
        SentencePadding::Bytes(settings::kPadding.Read(m_view.Ports().settings), engine.Format()),
        engine.DataSize());
    if (s.m_phrasePlay) {
        BuildPhraseQueue(start, end);
    } else {
        const auto repeat = static_cast<std::uint32_t>(m_view.Doc().m_nRepeat);
        s.m_playQueue.push_back(MakeItem(start, end, PlayItem::kPlain, repeat));
    }
    StartItem(false);
}

// A sentence of four seconds or more is heard once whole, then in phrases of about two
// seconds cut at quiet points, each repeated; the last phrase takes in a remainder
// shorter than a second.
void CPlaybackController::BuildPhraseQueue(std::uint32_t start, std::uint32_t end) {
    ViewState& s = m_view.State();
    CWaveEngine& engine = m_view.Doc().m_player;
    const std::uint64_t second = engine.Format().avgBytesPerSec;
    const auto repeat = static_cast<std::uint32_t>(m_view.Doc().m_nRepeat);
    const std::uint32_t length = end >= start ? end - start : 0;
    const bool isLong = second > 0 && length / (2 * second) >= 2;
    s.m_playQueue.push_back(MakeItem(start, end, isLong ? PlayItem::kWholePass : PlayItem::kPlain,
                                     isLong ? 1 : repeat));
    if (!isLong || start >= end) {
        return;
    }
    std::uint32_t a = start;
    std::uint32_t e = start;
    do {
        e = engine.FindQuietPoint(Saturate(a + 2 * second), Saturate(4 * second / 3));
        // A quiet point at or before the phrase start (damaged data) would never end the
        // loop: the rest of the sentence becomes the last phrase.
        if (e > end || end - e < second || e <= a) {
            e = end;
        }
        s.m_playQueue.push_back(MakeItem(a, e, PlayItem::kPhrase, repeat));
        a = e;
    } while (e < end);
}

void CPlaybackController::StartItem(bool resume) {
    ViewState& s = m_view.State();
    PlayItem* item = CurrentItem();
    if (item == nullptr) {
        return;
    }
    s.m_playing = true;
    s.m_playMode = item->mode;
    if (!resume) {
        item->curStart = item->start;
        item->curEnd = item->end;
    }
    const std::uint32_t passStart = item->curStart;
    const bool started = PlayRange(passStart, item->curEnd, item->intervalBytes);
    ShowTime(s.m_clipPlaying ? kBlankTime : passStart - s.m_timeOrigin);
    s.m_buffersDone = 0;
    if (started) {
        return;
    }
    // A pass with not one byte to play would never send its end: a resumed pass that has
    // nothing left counts as played, and an empty item ends playback.
    if (resume) {
        m_view.OnRangeFinished();
    } else {
        Stop();
    }
}

PlayItem* CPlaybackController::CurrentItem() {
    ViewState& s = m_view.State();
    if (s.m_queuePos < 0 || s.m_queuePos >= static_cast<int>(s.m_playQueue.size())) {
        return nullptr;
    }
    return &s.m_playQueue[static_cast<std::size_t>(s.m_queuePos)];
}

void CPlaybackController::Stop() {
    ViewState& s = m_view.State();
    const ViewPorts& ports = m_view.Ports();
    if (ViewObserver* observer = m_view.Observer()) {
        observer->OnStop();
    }
    s.m_playing = false;
    s.m_paused = false;
    if (s.m_clipPlaying) {
        s.m_clipPlaying = false;
        ShowTime(0);
    }
    ports.displays.SetButtonOn(cmd::kPause, false);
    CWaveEngine& engine = m_view.Doc().m_player;
    engine.ResetOutput();
    engine.CloseOutput();
    ports.displays.SetSpectrum({});
}

void CPlaybackController::Pause() {
    ViewState& s = m_view.State();
    PlayItem* item = CurrentItem();
    if (s.m_playQueue.empty() || item == nullptr) {
        return;
    }
    const ViewPorts& ports = m_view.Ports();
    CWaveEngine& engine = m_view.Doc().m_player;
    if (s.m_playing && !s.m_paused) {
        s.m_pausePos =
            Saturate(static_cast<std::uint64_t>(engine.GetPlayPosition()) + item->curStart);
        s.m_paused = true;
        ports.displays.SetButtonOn(cmd::kPause, true);
        ShowTime(s.m_clipPlaying ? kBlankTime : s.m_pausePos - s.m_timeOrigin);
        s.m_playing = false;
        engine.ResetOutput();
        ports.displays.SetSpectrum({});
    } else if (!s.m_playing && s.m_paused) {
        ports.displays.SetButtonOn(cmd::kPause, false);
        item->curStart = s.m_pausePos;
        s.m_paused = false;
        if (m_view.AudioReady()) {
            StartItem(true);
        }
    }
}

void CPlaybackController::ApplyVolume() {
    CEarlarkDoc& doc = m_view.Doc();
    const std::uint32_t volume = static_cast<std::uint32_t>(doc.m_nVolume) & 0xFFFF;
    doc.m_player.SetVolume(volume * 65537u);
    m_view.Ports().displays.SetVolume(static_cast<int>(volume));
}

void CPlaybackController::PlayShownSentence() {
    ViewState& s = m_view.State();
    m_view.Doc().m_player.ResetOutput();
    s.m_paused = false;
    m_view.Ports().displays.SetButtonOn(cmd::kPause, false);
    PlaySentence();
}

bool CPlaybackController::PlayRange(std::uint32_t start, std::uint32_t end,
                                    std::uint32_t interval) {
    CWaveEngine& engine = m_view.Doc().m_player;
    if (ViewObserver* observer = m_view.Observer()) {
        observer->OnPlayRange(start, end, interval, engine.Rate());
    }
    engine.PlayRange(start, end, interval);
    return engine.BufferCount() > 0;
}

void CPlaybackController::ShowTime(std::uint32_t value) {
    ViewState& s = m_view.State();
    s.m_timeShown = value;
    const CWaveEngine& engine = m_view.Doc().m_player;
    const std::uint32_t bytesPerSecond =
        engine.IsWaveFileOpen() ? engine.Format().avgBytesPerSec : 0;
    m_view.Ports().displays.SetTime(value, bytesPerSecond);
}

void CPlaybackController::OnBufferDone(WaveOutBuffer* buffer) {
    ViewState& s = m_view.State();
    CWaveEngine& engine = m_view.Doc().m_player;
    ++s.m_buffersDone;
    // The pass started at the item's curStart, also for a fragment played from a pause
    // position or after a seek; only a clip, which has no item, counts from the fragment.
    const PlayItem* item = CurrentItem();
    const std::uint32_t base = item != nullptr ? item->curStart : s.m_fragmentStart;
    const std::uint64_t advanced =
        static_cast<std::uint64_t>(s.m_buffersDone) * engine.BufferLength();
    ShowTime(s.m_clipPlaying ? kBlankTime
                             : static_cast<std::uint32_t>(base + advanced - s.m_timeOrigin));
    if (buffer != nullptr) {
        ShowSpectrum(*buffer);
    }
    engine.OnBufferDone(buffer, true);
}

void CPlaybackController::ShowSpectrum(const WaveOutBuffer& buffer) {
    const ViewState& s = m_view.State();
    DisplayPort& display = m_view.Ports().displays;
    if (!s.m_playing || !s.m_spectrumOn || m_view.Ports().form.IsMinimized()) {
        display.SetSpectrum({});
        return;
    }
    const CWaveEngine& engine = m_view.Doc().m_player;
    const std::size_t length = std::min<std::size_t>(buffer.length, buffer.data.size());
    display.SetSpectrum(m_spectrum->Compute({buffer.data.data(), length}, engine.Format()));
}

void CPlaybackController::CountPass(PlayItem& item) {
    ViewState& s = m_view.State();
    ++item.playedCount;
    if (s.m_playMode != PlayItem::kSentencePlay) {
        return;
    }
    if (CEarlarkWaveSection* sentence = s.rows.At(s.m_curIndex)) {
        ++sentence->m_nPlayCount;
        m_view.Ports().list.RepaintRow(s.m_curIndex);
        m_view.Doc().SetModifiedFlag();
    }
}

void CPlaybackController::OnRangeFinished() {
    ViewState& s = m_view.State();
    PlayItem* item = CurrentItem();
    if (s.m_playQueue.empty() || item == nullptr) {
        Stop();
        return;
    }
    CountPass(*item);
    const bool repeats = s.m_playMode != PlayItem::kFragment &&
                         (item->repetitions == 0 || item->playedCount < item->repetitions);
    if (repeats) {
        StartItem(false);
        return;
    }
    ++s.m_queuePos;
    if (CurrentItem() != nullptr) {
        StartItem(false);
        return;
    }
    s.m_playQueue.clear();
    s.m_queuePos = 0;
    AfterQueue();
}

// The queue is played out: auto-play goes on with the next sentence (the first after the
// last) or starts the range again; everything else stops.
void CPlaybackController::AfterQueue() {
    ViewState& s = m_view.State();
    if (!s.m_autoPlay || s.m_playMode == PlayItem::kFragment) {
        Stop();
    } else if (s.m_playMode == PlayItem::kSentencePlay) {
        m_view.OnCommand(s.m_curIndex < s.rows.Count() - 1 ? cmd::kNext : cmd::kFirst);
    } else {
        m_view.Fragments().RestartRange();
    }
}
