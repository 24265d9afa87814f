#pragma once

#include "platform/WaveFormat.h"
#include "platform/WaveOutDevice.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

// The buffers of one wave output device, shared between the user-interface thread (which
// writes, resets and takes finished buffers) and the thread that consumes the samples (an
// audio callback, a timer thread, or a test advancing a clock). One mutex guards the queued
// buffers, the finished buffers, the read offset, the position and the gain, so a buffer's
// data is never touched by two threads at once: the consumer reads a buffer only while it
// is queued, the user-interface thread only before Push and after TakeFinished.
class WaveOutQueue {
public:
    // Called once per finished buffer, on the consuming thread, without the lock held.
    void SetFinishedNotice(std::function<void()> notice) { m_notice = std::move(notice); }
    void SetFormat(const WaveFormat& format);

    void Push(WaveOutBuffer* buffer);
    // Every queued buffer becomes finished at once (in queue order); the position restarts
    // at 0.
    void ReturnAll();
    WaveOutBuffer* TakeFinished();
    bool IsQueued(const WaveOutBuffer* buffer) const;
    std::size_t QueuedCount() const;
    std::size_t FinishedCount() const;
    // Bytes left to play in the head buffer (0 when nothing is queued).
    std::size_t HeadRemaining() const;

    // Copies the next `bytes` bytes of the queued buffers into out with the gain applied and
    // fills whatever the buffers cannot supply with silence; returns the bytes taken from
    // buffers. `bytes` should be whole frames.
    std::size_t Pull(std::uint8_t* out, std::size_t bytes);
    // Consumes up to `bytes` bytes without copying them; returns the bytes consumed.
    std::size_t Skip(std::size_t bytes);
    std::uint64_t Position() const;

    void SetVolume(std::uint32_t volume);
    std::uint32_t Volume() const;

    // User-interface thread only: the receiver of delivered notices, and the delivery of one
    // notice (called by the task that the finished notice posted).
    void SetListener(WaveOutListener* listener) { m_listener = listener; }
    void DeliverOne();

private:
    std::size_t Consume(std::uint8_t* out, std::size_t bytes, std::size_t& finished);
    void ApplyGain(std::uint8_t* data, std::size_t bytes) const;
    void Notify(std::size_t finished);

    mutable std::mutex m_mutex;
    WaveFormat m_format;
    std::deque<WaveOutBuffer*> m_queued;
    std::deque<WaveOutBuffer*> m_finished;
    std::size_t m_headOffset = 0;
    std::uint64_t m_position = 0;
    std::uint32_t m_volume = 0xFFFFFFFFu;
    std::function<void()> m_notice;
    WaveOutListener* m_listener = nullptr;
};
