#pragma once

#include "platform/WaveOutDevice.h"

// The notice that the wave engine's range (and its silence) has finished playing; its
// classic window-message number is kept for logs and message-based front ends.
constexpr unsigned WM_RANGE_FINISHED = 0x0402;

// The owner of a playing wave engine. It receives the output device's buffer-done notices
// and must pass each one on to CWaveEngine::OnBufferDone(buffer, true), after any work of its
// own; the engine calls OnRangeFinished (WM_RANGE_FINISHED) from inside that call when the
// last buffer of the range has finished, so the handler may start the next range at once.
class PlayerListener : public WaveOutListener {
public:
    virtual void OnRangeFinished() = 0;
};
