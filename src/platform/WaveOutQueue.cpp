#include "platform/WaveOutQueue.h"

#include <algorithm>
#include <cstring>

void WaveOutQueue::SetFormat(const WaveFormat& format) {
    std::lock_guard lock(m_mutex);
    m_format = format;
}

void WaveOutQueue::Push(WaveOutBuffer* buffer) {
    std::lock_guard lock(m_mutex);
    m_queued.push_back(buffer);
}

void WaveOutQueue::ReturnAll() {
    std::lock_guard lock(m_mutex);
    for (WaveOutBuffer* buffer : m_queued) {
        m_finished.push_back(buffer);
    }
    m_queued.clear();
    m_headOffset = 0;
    m_position = 0;
}

WaveOutBuffer* WaveOutQueue::TakeFinished() {
    std::lock_guard lock(m_mutex);
    if (m_finished.empty()) {
        return nullptr;
    }
    WaveOutBuffer* buffer = m_finished.front();
    m_finished.pop_front();
    return buffer;
}

bool WaveOutQueue::IsQueued(const WaveOutBuffer* buffer) const {
    std::lock_guard lock(m_mutex);
    return std::find(m_queued.begin(), m_queued.end(), buffer) != m_queued.end();
}

std::size_t WaveOutQueue::QueuedCount() const {
    std::lock_guard lock(m_mutex);
    return m_queued.size();
}

std::size_t WaveOutQueue::FinishedCount() const {
    std::lock_guard lock(m_mutex);
    return m_finished.size();
}

std::size_t WaveOutQueue::HeadRemaining() const {
    std::lock_guard lock(m_mutex);
    if (m_queued.empty()) {
        return 0;
    }
    const WaveOutBuffer* head = m_queued.front();
    std::size_t length = std::min<std::size_t>(head->length, head->data.size());
    return length - std::min(m_headOffset, length);
}

// Buffers of length 0 finish as soon as they reach the head.
std::size_t WaveOutQueue::Consume(std::uint8_t* out, std::size_t bytes, std::size_t& finished) {
    std::size_t done = 0;
    while (!m_queued.empty()) {
        WaveOutBuffer* head = m_queued.front();
        std::size_t length = std::min<std::size_t>(head->length, head->data.size());
        std::size_t take = std::min(bytes - done, length - std::min(m_headOffset, length));
        if (out != nullptr && take > 0) {
            std::memcpy(out + done, head->data.data() + m_headOffset, take);
        }
        done += take;
        m_headOffset += take;
        if (m_headOffset < length) {
            break;
        }
        m_queued.pop_front();
        m_finished.push_back(head);
        m_headOffset = 0;
        ++finished;
    }
    m_position += done;
    return done;
}

std::size_t WaveOutQueue::Pull(std::uint8_t* out, std::size_t bytes) {
    std::size_t finished = 0;
    std::size_t done;
    {
        std::lock_guard lock(m_mutex);
        done = Consume(out, bytes, finished);
        std::memset(out + done, m_format.SilenceByte(), bytes - done);
        ApplyGain(out, done);
    }
    Notify(finished);
    return done;
}

std::size_t WaveOutQueue::Skip(std::size_t bytes) {
    std::size_t finished = 0;
    std::size_t done;
    {
        std::lock_guard lock(m_mutex);
        done = Consume(nullptr, bytes, finished);
    }
    Notify(finished);
    return done;
}

void WaveOutQueue::Notify(std::size_t finished) {
    for (std::size_t i = 0; i < finished; ++i) {
        if (m_notice) {
            m_notice();
        }
    }
}

// Scales every sample by its channel's gain (65535 = unchanged). 16-bit samples are signed,
// 8-bit samples are scaled around their silence value 128.
void WaveOutQueue::ApplyGain(std::uint8_t* data, std::size_t bytes) const {
    if (m_volume == 0xFFFFFFFFu) {
        return;
    }
    const std::size_t sampleBytes = m_format.Is16Bit() ? 2 : 1;
    const std::size_t channels = std::max<std::size_t>(m_format.channels, 1);
    const std::int64_t gains[2] = {m_volume & 0xFFFF, m_volume >> 16};
    std::size_t index = 0;
    for (std::size_t at = 0; at + sampleBytes <= bytes; at += sampleBytes, ++index) {
        std::int64_t gain = gains[(channels == 2) ? index % 2 : 0];
        if (sampleBytes == 2) {
            auto sample = static_cast<std::int16_t>(data[at] | data[at + 1] << 8);
            auto scaled = static_cast<std::uint16_t>(sample * gain / 65535);
            data[at] = static_cast<std::uint8_t>(scaled & 0xFF);
            data[at + 1] = static_cast<std::uint8_t>(scaled >> 8);
        } else {
            data[at] = static_cast<std::uint8_t>((data[at] - 128) * gain / 65535 + 128);
        }
    }
}

std::uint64_t WaveOutQueue::Position() const {
    std::lock_guard lock(m_mutex);
    return m_position;
}

void WaveOutQueue::SetVolume(std::uint32_t volume) {
    std::lock_guard lock(m_mutex);
    m_volume = volume;
}

std::uint32_t WaveOutQueue::Volume() const {
    std::lock_guard lock(m_mutex);
    return m_volume;
}

void WaveOutQueue::DeliverOne() {
    if (m_listener == nullptr) {
        return;
    }
    if (WaveOutBuffer* buffer = TakeFinished()) {
        m_listener->OnOutputBufferDone(buffer);
    }
}
