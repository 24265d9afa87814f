#pragma once

#include "audio/CWaveEngine.h"
#include "audio/WaveFixtures.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// An engine playing into the manual-clock device, owned by a listener that passes every
// buffer-done notice back to the engine, as the study view does.
class RecordingOwner : public PlayerListener {
public:
    explicit RecordingOwner(CWaveEngine& engine) : m_engine(engine) {}

    void OnOutputBufferDone(WaveOutBuffer* buffer) override {
        ++doneNotices;
        m_engine.OnBufferDone(buffer, true);
    }
    void OnRangeFinished() override {
        ++rangesFinished;
        if (onRangeFinished) {
            onRangeFinished();
        }
    }

    int doneNotices = 0;
    int rangesFinished = 0;
    std::function<void()> onRangeFinished;

private:
    CWaveEngine& m_engine;
};

class EngineHarness : public ::testing::Test {
protected:
    EngineHarness() { engine.SetOutputDevice(&device); }

    std::string WriteWave(const WaveFormat& format, const fixtures::Bytes& samples) {
        return fixtures::WriteTemp("engine.wav", fixtures::PcmWave(format, samples));
    }
    void Open(const WaveFormat& format, const fixtures::Bytes& samples, int rate = 100) {
        ASSERT_TRUE(engine.OpenOutput(WriteWave(format, samples), &owner, rate));
    }
    // Plays queued buffers one at a time, delivering each notice, until nothing is queued;
    // records the most buffers ever queued at once.
    void PlayToTheEnd() {
        for (int guard = 0; guard < 100000 && device.QueuedCount() > 0; ++guard) {
            mostQueued = std::max(mostQueued, device.QueuedCount());
            device.FinishHeadBuffer();
            messages.RunPending();
        }
    }

    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device{messages};
    CWaveEngine engine;
    RecordingOwner owner{engine};
    std::size_t mostQueued = 0;
};
