#include "platform/NullWaveOutDevice.h"

#include <chrono>

NullWaveOutDevice::~NullWaveOutDevice() {
    if (IsOpen()) {
        Close();
    }
}

int NullWaveOutDevice::StartStream(const WaveFormat& format) {
    {
        std::lock_guard lock(m_mutex);
        m_stop = false;
    }
    m_thread = std::thread(&NullWaveOutDevice::Run, this, format);
    return kWaveOutOk;
}

void NullWaveOutDevice::StopStream() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void NullWaveOutDevice::Run(WaveFormat format) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kTick = std::chrono::milliseconds(5);
    auto last = Clock::now();
    // Frames owed, in nanoseconds x samples per second, so that no fraction is lost.
    std::uint64_t owed = 0;
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, kTick, [this] { return m_stop; })) {
        auto now = Clock::now();
        auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - last).count();
        last = now;
        if (Queue().QueuedCount() == 0) {
            owed = 0;
            continue;
        }
        owed += static_cast<std::uint64_t>(elapsed) * format.samplesPerSec;
        std::uint64_t frames = owed / 1'000'000'000u;
        owed %= 1'000'000'000u;
        lock.unlock();
        Queue().Skip(frames * format.blockAlign);
        lock.lock();
    }
}
