#include "view/CPlaybackController.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/ViewCommandIds.h"

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
        s.m_timeShown = 0;
        ports.displays.SetTime(0, 0);
    }
    ports.displays.SetButtonOn(cmd::kPause, false);
    CWaveEngine& engine = m_view.Doc().m_player;
    engine.ResetOutput();
    engine.CloseOutput();
    ports.displays.SetSpectrum({});
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
}

void CPlaybackController::PlayRange(std::uint32_t start, std::uint32_t end,
                                    std::uint32_t interval) {
    CWaveEngine& engine = m_view.Doc().m_player;
    if (ViewObserver* observer = m_view.Observer()) {
        observer->OnPlayRange(start, end, interval, engine.Rate());
    }
    engine.PlayRange(start, end, interval);
}

// Seeking moves within the play item that is playing. Items are queued only by sentence
// play, so until a sentence plays a wheel message changes nothing.
void CPlaybackController::Wheel(int /*delta*/, bool /*shift*/) {}

void CPlaybackController::OnBufferDone(WaveOutBuffer* buffer) {
    m_view.Doc().m_player.OnBufferDone(buffer, true);
}

// A pass finished with no queue to go on with (the attached clip plays without one).
void CPlaybackController::OnRangeFinished() {
    if (m_view.State().m_playQueue.empty()) {
        Stop();
    }
}
