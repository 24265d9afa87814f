#include "platform/QueuedWaveOutDevice.h"

QueuedWaveOutDevice::QueuedWaveOutDevice(MessageQueue& messages)
    : m_queue(std::make_shared<WaveOutQueue>()) {
    std::weak_ptr<WaveOutQueue> weak = m_queue;
    MessageQueue* target = &messages;
    m_queue->SetFinishedNotice([target, weak] {
        target->Post([weak] {
            if (auto queue = weak.lock()) {
                queue->DeliverOne();
            }
        });
    });
}

int QueuedWaveOutDevice::Open(const WaveFormat& format, WaveOutListener* listener) {
    if (m_open) {
        return kWaveOutError;
    }
    if (format.formatTag != WaveFormat::kPcm || format.channels == 0 || format.blockAlign == 0 ||
        format.samplesPerSec == 0) {
        return kWaveOutBadFormat;
    }
    m_queue->SetFormat(format);
    int result = StartStream(format);
    if (result != kWaveOutOk) {
        return result;
    }
    m_format = format;
    m_queue->SetListener(listener);
    m_open = true;
    return kWaveOutOk;
}

int QueuedWaveOutDevice::Close() {
    if (!m_open) {
        return kWaveOutNotOpen;
    }
    StopStream();
    m_queue->ReturnAll();
    m_queue->SetListener(nullptr);
    m_open = false;
    return kWaveOutOk;
}

int QueuedWaveOutDevice::Prepare(WaveOutBuffer* buffer) {
    if (!m_open) {
        return kWaveOutNotOpen;
    }
    buffer->prepared = true;
    return kWaveOutOk;
}

int QueuedWaveOutDevice::Unprepare(WaveOutBuffer* buffer) {
    if (m_queue->IsQueued(buffer)) {
        return kWaveOutStillPlaying;
    }
    buffer->prepared = false;
    return kWaveOutOk;
}

int QueuedWaveOutDevice::Write(WaveOutBuffer* buffer) {
    if (!m_open) {
        return kWaveOutNotOpen;
    }
    if (!buffer->prepared) {
        return kWaveOutUnprepared;
    }
    m_queue->Push(buffer);
    return kWaveOutOk;
}

int QueuedWaveOutDevice::Reset() {
    if (!m_open) {
        return kWaveOutNotOpen;
    }
    m_queue->ReturnAll();
    return kWaveOutOk;
}

WaveOutBuffer* QueuedWaveOutDevice::TakeFinishedBuffer() {
    return m_queue->TakeFinished();
}

std::uint64_t QueuedWaveOutDevice::GetPosition() const {
    return m_open ? m_queue->Position() : 0;
}

int QueuedWaveOutDevice::GetVolume(std::uint32_t* volume) const {
    if (!m_open) {
        return kWaveOutNotOpen;
    }
    *volume = m_queue->Volume();
    return kWaveOutOk;
}

int QueuedWaveOutDevice::SetVolume(std::uint32_t volume) {
    if (!m_open) {
        return kWaveOutNotOpen;
    }
    m_queue->SetVolume(volume);
    return kWaveOutOk;
}
