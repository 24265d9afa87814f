#include "platform/DefaultWaveOutDevice.h"

#include <cstdio>

DefaultWaveOutDevice::DefaultWaveOutDevice(MessageQueue& messages)
    : m_sound(messages), m_silent(messages) {}

int DefaultWaveOutDevice::Open(const WaveFormat& format, WaveOutListener* listener) {
    if (IsOpen()) {
        return kWaveOutError;
    }
    int result = m_sound.Open(format, listener);
    m_active = &m_sound;
    if (result != kWaveOutOk) {
        // The sound device converts any rate it does not take, so a failure here means no
        // output could be opened at all.
        result = m_silent.Open(format, listener);
        m_active = &m_silent;
        if (result == kWaveOutOk && !m_silenceNoticed) {
            m_silenceNoticed = true;
            std::fputs("earlark: no sound output device could be opened; playing silently\n",
                       stderr);
        }
    }
    if (result == kWaveOutOk) {
        // The volume belongs to the program, not to whichever device plays.
        m_active->SetVolume(m_volume);
    }
    return result;
}

int DefaultWaveOutDevice::Close() {
    return m_active ? m_active->Close() : kWaveOutNotOpen;
}

bool DefaultWaveOutDevice::IsOpen() const {
    return m_active && m_active->IsOpen();
}

int DefaultWaveOutDevice::Prepare(WaveOutBuffer* buffer) {
    return m_active ? m_active->Prepare(buffer) : kWaveOutNotOpen;
}

int DefaultWaveOutDevice::Unprepare(WaveOutBuffer* buffer) {
    return m_active ? m_active->Unprepare(buffer) : kWaveOutNotOpen;
}

int DefaultWaveOutDevice::Write(WaveOutBuffer* buffer) {
    return m_active ? m_active->Write(buffer) : kWaveOutNotOpen;
}

int DefaultWaveOutDevice::Reset() {
    return m_active ? m_active->Reset() : kWaveOutNotOpen;
}

WaveOutBuffer* DefaultWaveOutDevice::TakeFinishedBuffer() {
    return m_active ? m_active->TakeFinishedBuffer() : nullptr;
}

std::uint64_t DefaultWaveOutDevice::GetPosition() const {
    return m_active ? m_active->GetPosition() : 0;
}

int DefaultWaveOutDevice::GetVolume(std::uint32_t* volume) const {
    return m_active ? m_active->GetVolume(volume) : kWaveOutNotOpen;
}

int DefaultWaveOutDevice::SetVolume(std::uint32_t volume) {
    int result = m_active ? m_active->SetVolume(volume) : kWaveOutNotOpen;
    if (result == kWaveOutOk) {
        m_volume = volume;
    }
    return result;
}
