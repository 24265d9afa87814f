#pragma once

#include "platform/MessageQueue.h"
#include "platform/WaveOutDevice.h"
#include "platform/WaveOutQueue.h"

#include <memory>

// The part that every wave output device here shares: buffers are kept in a WaveOutQueue,
// consumed by the device's own stream (StartStream / StopStream), and each finished buffer
// posts one task to the message queue that delivers one notice on the user-interface thread.
// A task that runs after the device was reset, closed or destroyed finds nothing to deliver.
class QueuedWaveOutDevice : public WaveOutDevice {
public:
    // messages must outlive the device.
    explicit QueuedWaveOutDevice(MessageQueue& messages);
    QueuedWaveOutDevice(const QueuedWaveOutDevice&) = delete;
    QueuedWaveOutDevice& operator=(const QueuedWaveOutDevice&) = delete;

    int Open(const WaveFormat& format, WaveOutListener* listener) override;
    int Close() override;
    bool IsOpen() const override { return m_open; }

    int Prepare(WaveOutBuffer* buffer) override;
    int Unprepare(WaveOutBuffer* buffer) override;
    int Write(WaveOutBuffer* buffer) override;
    int Reset() override;
    WaveOutBuffer* TakeFinishedBuffer() override;

    std::uint64_t GetPosition() const override;
    int GetVolume(std::uint32_t* volume) const override;
    int SetVolume(std::uint32_t volume) override;

    const WaveFormat& Format() const { return m_format; }

protected:
    // Starts consuming the queue in the given format; returns a WaveOutResult.
    virtual int StartStream(const WaveFormat& format) = 0;
    // Stops consuming; when it returns, the stream no longer touches the queue.
    virtual void StopStream() = 0;

    WaveOutQueue& Queue() { return *m_queue; }
    const WaveOutQueue& Queue() const { return *m_queue; }

private:
    std::shared_ptr<WaveOutQueue> m_queue;
    WaveFormat m_format;
    bool m_open = false;
};
