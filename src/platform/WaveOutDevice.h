#pragma once

#include "platform/WaveFormat.h"

#include <cstdint>
#include <vector>

// One buffer of samples handed to a wave output device: the header and its own data block.
// The caller owns it; between Write and the buffer-done notice the device holds it and the
// caller must not touch the data.
struct WaveOutBuffer {
    std::vector<std::uint8_t> data; // the data block; only the first `length` bytes play
    std::uint32_t length = 0;
    std::uint32_t tag = 0; // the caller's own value (the buffer's index within its range)
    bool prepared = false;
};

// Receives the buffer-done notices of a wave output device, on the user-interface thread,
// one call per finished buffer, in the order the buffers were written.
class WaveOutListener {
public:
    virtual ~WaveOutListener() = default;
    virtual void OnOutputBufferDone(WaveOutBuffer* buffer) = 0;
};

// Result codes of the device operations (0 is success), numbered like the classic wave
// output errors so that callers can report them the same way.
enum WaveOutResult : int {
    kWaveOutOk = 0,
    kWaveOutError = 1,
    kWaveOutNoDevice = 2,
    kWaveOutNotOpen = 5,
    kWaveOutNoMemory = 7,
    kWaveOutBadFormat = 32,
    kWaveOutStillPlaying = 33,
    kWaveOutUnprepared = 34,
    kWaveOutRefused = 35,
};

// The platform's wave output device: plays PCM buffers at the format's sample rate and
// reports each finished buffer to the user-interface thread.
//
// Contract shared by every implementation:
// - Buffer-done notices reach the listener on the user-interface thread, in write order.
// - Reset returns every queued buffer as finished at once and sets the position to 0; the
//   finished buffers are then taken with TakeFinishedBuffer (so that the caller can drain
//   them synchronously); a notice already on its way finds nothing left to deliver.
// - GetPosition counts the bytes actually played since the last reset.
// - The volume is a software gain per channel: first channel in the low 16 bits, second
//   channel in the high 16 bits, 0 to 65535 each; mono output uses the low 16 bits.
class WaveOutDevice {
public:
    virtual ~WaveOutDevice() = default;

    // listener may be null: no notices are delivered (finished buffers still wait to be
    // taken). Opening an open device fails with kWaveOutError.
    virtual int Open(const WaveFormat& format, WaveOutListener* listener) = 0;
    // Stops playback; queued buffers are moved to the finished buffers, which the caller
    // should drain before (or right after) closing.
    virtual int Close() = 0;
    virtual bool IsOpen() const = 0;

    virtual int Prepare(WaveOutBuffer* buffer) = 0;
    // Fails with kWaveOutStillPlaying while the buffer is queued.
    virtual int Unprepare(WaveOutBuffer* buffer) = 0;
    virtual int Write(WaveOutBuffer* buffer) = 0;
    virtual int Reset() = 0;
    // The oldest finished buffer whose notice has not been delivered, or null.
    virtual WaveOutBuffer* TakeFinishedBuffer() = 0;

    virtual std::uint64_t GetPosition() const = 0;
    virtual int GetVolume(std::uint32_t* volume) const = 0;
    virtual int SetVolume(std::uint32_t volume) = 0;
};
