#pragma once

#include "platform/QueuedWaveOutDevice.h"

#include <cstddef>
#include <memory>
#include <string>

class SampleRateConverter;
struct PaStreamCallbackTimeInfo;

// The real sound output through PortAudio: the default output device (or, when the
// default host has none, the first device that plays), opened at the buffers' own rate
// when it takes it, otherwise at the device's default rate with the samples converted on
// the way. Positions, buffer lengths and finished notices stay in the buffers' bytes.
// Reset stops the stream at once, so no old audio keeps sounding; the next Write starts
// it again.
class PortAudioWaveOutDevice : public QueuedWaveOutDevice {
public:
    explicit PortAudioWaveOutDevice(MessageQueue& messages);
    ~PortAudioWaveOutDevice() override;

    int Write(WaveOutBuffer* buffer) override;
    int Reset() override;

    bool IsStreamActive() const;
    // The rate the stream runs at, 0 when closed.
    double StreamRate() const { return m_streamRate; }
    bool IsConverting() const { return m_converter != nullptr; }
    // The sound system the stream plays through ("ALSA", "JACK Audio Connection Kit", ...).
    const std::string& HostName() const { return m_hostName; }

protected:
    int StartStream(const WaveFormat& format) override;
    void StopStream() override;

private:
    static int Callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* timeInfo, unsigned long statusFlags,
                        void* user);
    static int ConvertingCallback(const void* input, void* output, unsigned long frames,
                                  const PaStreamCallbackTimeInfo* timeInfo,
                                  unsigned long statusFlags, void* user);
    int OpenStream(int device, const WaveFormat& format, bool convert);

    bool m_initialised = false;
    void* m_stream = nullptr;
    bool m_running = false;
    std::size_t m_frameBytes = 0;
    double m_streamRate = 0;
    std::string m_hostName;
    std::unique_ptr<SampleRateConverter> m_converter;
};
