#pragma once

#include "platform/NullWaveOutDevice.h"
#include "platform/PortAudioWaveOutDevice.h"

// The program's output device: the system's sound output when it can be opened, otherwise
// the silent real-time device, so that the program still runs (with its time display
// moving) on a machine without sound. The choice is made at every Open.
class DefaultWaveOutDevice : public WaveOutDevice {
public:
    explicit DefaultWaveOutDevice(MessageQueue& messages);

    // True when the last successful Open went to the silent device.
    bool IsSilent() const { return m_active == &m_silent; }

    int Open(const WaveFormat& format, WaveOutListener* listener) override;
    int Close() override;
    bool IsOpen() const override;
    int Prepare(WaveOutBuffer* buffer) override;
    int Unprepare(WaveOutBuffer* buffer) override;
    int Write(WaveOutBuffer* buffer) override;
    int Reset() override;
    WaveOutBuffer* TakeFinishedBuffer() override;
    std::uint64_t GetPosition() const override;
    int GetVolume(std::uint32_t* volume) const override;
    int SetVolume(std::uint32_t volume) override;

private:
    PortAudioWaveOutDevice m_sound;
    NullWaveOutDevice m_silent;
    // The device of the last Open; kept after Close so that its finished buffers can still
    // be taken.
    WaveOutDevice* m_active = nullptr;
    std::uint32_t m_volume = 0xFFFFFFFFu;
    bool m_silenceNoticed = false;
};
