#pragma once

#include "platform/QueuedWaveOutDevice.h"

#include <condition_variable>
#include <mutex>
#include <thread>

// A silent wave output device for machines without sound: a timer thread consumes the
// queued buffers at the format's real-time rate, so playback, its notices and its position
// behave as on a real device. Time while nothing is queued is not banked.
class NullWaveOutDevice : public QueuedWaveOutDevice {
public:
    using QueuedWaveOutDevice::QueuedWaveOutDevice;
    ~NullWaveOutDevice() override;

protected:
    int StartStream(const WaveFormat& format) override;
    void StopStream() override;

private:
    void Run(WaveFormat format);

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
};
