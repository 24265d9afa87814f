#pragma once

#include <cstdint>

class CEarlarkMainView;
struct WaveOutBuffer;

// The playback side of the study view: stopping, the volume, the engine's notices and
// the engine calls the view makes on its way to playing. Sentence play, repetitions,
// fragments and ranges are built on it.
class CPlaybackController {
public:
    explicit CPlaybackController(CEarlarkMainView& view) : m_view(view) {}

    // Nothing plays or is paused; the device and the wave file are closed. The queue and
    // the play mode stay as they are.
    void Stop();
    // The study's volume to the output (both channels) and the volume display.
    void ApplyVolume();
    // A sentence was shown while m_playing is set: the player is reset, the pause
    // cleared and the Pause button released before the sentence plays.
    void PlayShownSentence();
    // Asks the engine for a range, telling the observer first.
    void PlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval);
    // One mouse-wheel message: seeks within the playing item.
    void Wheel(int delta, bool shift);

    void OnBufferDone(WaveOutBuffer* buffer);
    void OnRangeFinished();

private:
    CEarlarkMainView& m_view;
};
