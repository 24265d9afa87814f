#pragma once

#include "audio/PlayItem.h"

#include <cstdint>
#include <memory>

class CEarlarkMainView;
class CommandMap;
class SpectrumAnalyzer;
struct WaveOutBuffer;

// The study's play loop: a request becomes a queue of play items, the engine plays one
// pass of the item at m_queuePos at a time, and the end of each pass decides whether the
// item repeats, the next item follows, auto-play moves on, a range starts again, or
// playback stops. Play, Pause and Stop are its commands.
class CPlaybackController {
public:
    explicit CPlaybackController(CEarlarkMainView& view);
    ~CPlaybackController();
    void Register(CommandMap& commands);

    // F5: the selected sentence from its beginning.
    void Play();
    // The current row's sentence as a queue (one item, or a whole pass and its phrases).
    void PlaySentence();
    // Starts a pass of the item at m_queuePos: from curStart to curEnd when resuming,
    // otherwise from its start to its end.
    void StartItem(bool resume);
    // Nothing plays or is paused; the device and the wave file are closed. The queue and
    // the play mode stay as they are.
    void Stop();
    // F6: pauses a pass, or resumes it at the pause position.
    void Pause();
    // The silence after each pass of start..end: the study's interval, proportional while
    // listen-and-speak is on.
    std::uint32_t IntervalBytes(std::uint32_t start, std::uint32_t end) const;
    // The pause rule for any interval value: proportional, the range's length times value / 2
    // (rounded); otherwise value tenths of a second at byteRate bytes per second.
    static std::uint32_t PauseBytes(std::uint32_t start, std::uint32_t end, int value,
                                    bool proportional, std::uint32_t byteRate);
    // The study's volume to the output (both channels) and the volume display.
    void ApplyVolume();
    // A sentence was shown while m_playing is set: the player is reset, the pause
    // cleared and the Pause button released, and the sentence plays.
    void PlayShownSentence();
    // Asks the engine for a range, telling the observer first. False when the engine has
    // nothing to play for it (no buffer would ever come back).
    bool PlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval);
    // The queue item being played, or null.
    PlayItem* CurrentItem();

    void OnBufferDone(WaveOutBuffer* buffer);
    void OnRangeFinished();

    SpectrumAnalyzer& Spectrum() { return *m_spectrum; }

private:
    void BuildPhraseQueue(std::uint32_t start, std::uint32_t end);
    PlayItem MakeItem(std::uint32_t start, std::uint32_t end, int kind,
                      std::uint32_t repetitions) const;
    void CountPass(PlayItem& item);
    void AfterQueue();
    void ShowTime(std::uint32_t value);
    void ShowSpectrum(const WaveOutBuffer& buffer);

    CEarlarkMainView& m_view;
    std::unique_ptr<SpectrumAnalyzer> m_spectrum;
};
