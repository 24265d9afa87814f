#pragma once

#include "platform/QueuedWaveOutDevice.h"

#include <cstddef>

struct PaStreamCallbackTimeInfo;

// The real sound output: the default PortAudio output device, opened in the buffers' own
// format. The stream runs from Open to Close and plays silence while nothing is queued, so
// a reset does not have to restart it.
class PortAudioWaveOutDevice : public QueuedWaveOutDevice {
public:
    explicit PortAudioWaveOutDevice(MessageQueue& messages);
    ~PortAudioWaveOutDevice() override;

protected:
    int StartStream(const WaveFormat& format) override;
    void StopStream() override;

private:
    static int Callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* timeInfo, unsigned long statusFlags,
                        void* user);

    bool m_initialised = false;
    void* m_stream = nullptr;
    std::size_t m_frameBytes = 0;
};
