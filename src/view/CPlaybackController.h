#pragma once

#include <cstdint>

class CEarlarkMainView;

// The playback side of the study view: stopping, and the engine calls the view makes on
// its way to playing. Sentence play, repetitions, fragments and ranges are built on it.
class CPlaybackController {
public:
    explicit CPlaybackController(CEarlarkMainView& view) : m_view(view) {}

    // Stop: nothing plays or is paused; the device and the wave file are closed. The
    // queue and the play mode stay as they are.
    void Stop();
    // A new sentence is shown while something plays: the player is reset, the pause
    // cleared and the Pause button released, ready for the sentence to start.
    void ResetForNewSentence();
    // Asks the engine for a range, telling the observer first.
    void PlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval);

private:
    CEarlarkMainView& m_view;
};
