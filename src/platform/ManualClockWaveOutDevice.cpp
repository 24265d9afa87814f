#include "platform/ManualClockWaveOutDevice.h"

ManualClockWaveOutDevice::~ManualClockWaveOutDevice() {
    if (IsOpen()) {
        Close();
    }
}

int ManualClockWaveOutDevice::StartStream(const WaveFormat&) {
    int result = m_failNextOpen;
    m_failNextOpen = 0;
    if (result == kWaveOutOk) {
        ++m_openCount;
    }
    return result;
}

int ManualClockWaveOutDevice::Prepare(WaveOutBuffer* buffer) {
    const bool was = buffer->prepared;
    int result = QueuedWaveOutDevice::Prepare(buffer);
    if (result == kWaveOutOk && !was) {
        ++m_prepared;
    }
    return result;
}

int ManualClockWaveOutDevice::Unprepare(WaveOutBuffer* buffer) {
    const bool was = buffer->prepared;
    int result = QueuedWaveOutDevice::Unprepare(buffer);
    if (result == kWaveOutOk && was) {
        --m_prepared;
    }
    return result;
}

int ManualClockWaveOutDevice::Write(WaveOutBuffer* buffer) {
    if (IsOpen() && m_refuseWrites) {
        return kWaveOutRefused;
    }
    return QueuedWaveOutDevice::Write(buffer);
}

std::size_t ManualClockWaveOutDevice::Advance(std::size_t bytes) {
    if (!m_keepPlayed) {
        return Queue().Skip(bytes);
    }
    std::vector<std::uint8_t> chunk(bytes);
    std::size_t played = Queue().Pull(chunk.data(), bytes);
    m_played.insert(m_played.end(), chunk.begin(), chunk.begin() + played);
    return played;
}

std::size_t ManualClockWaveOutDevice::FinishHeadBuffer() {
    if (Queue().QueuedCount() == 0) {
        return 0;
    }
    return Advance(Queue().HeadRemaining());
}
