#pragma once

#include "platform/QueuedWaveOutDevice.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A wave output device for tests: nothing plays until the test advances the clock, and
// finished buffers post their notices to the message queue, which the test then pumps. It
// can keep the bytes it "played" and can be told to refuse opens or writes.
class ManualClockWaveOutDevice : public QueuedWaveOutDevice {
public:
    using QueuedWaveOutDevice::QueuedWaveOutDevice;
    ~ManualClockWaveOutDevice() override;

    // Plays up to `bytes` bytes of the queued buffers; returns the bytes played.
    std::size_t Advance(std::size_t bytes);
    // Plays the head buffer to its end; returns the bytes played (0 when none is queued).
    std::size_t FinishHeadBuffer();

    std::size_t QueuedCount() const { return Queue().QueuedCount(); }
    std::size_t FinishedCount() const { return Queue().FinishedCount(); }
    int OpenCount() const { return m_openCount; }
    // Buffers prepared and not yet unprepared: buffers the caller has not finished with.
    int PreparedCount() const { return m_prepared; }

    // The next Open fails with this result (once).
    void FailNextOpen(int result) { m_failNextOpen = result; }
    // While set, Write fails with kWaveOutRefused.
    void RefuseWrites(bool refuse) { m_refuseWrites = refuse; }
    // While set, the bytes played (with the gain applied) are appended to Played().
    void KeepPlayedBytes(bool keep) { m_keepPlayed = keep; }
    const std::vector<std::uint8_t>& Played() const { return m_played; }

    int Prepare(WaveOutBuffer* buffer) override;
    int Unprepare(WaveOutBuffer* buffer) override;
    int Write(WaveOutBuffer* buffer) override;

protected:
    int StartStream(const WaveFormat& format) override;
    void StopStream() override {}

private:
    int m_openCount = 0;
    int m_prepared = 0;
    int m_failNextOpen = 0;
    bool m_refuseWrites = false;
    bool m_keepPlayed = false;
    std::vector<std::uint8_t> m_played;
};
