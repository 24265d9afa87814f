// The device contract, shown on the manual-clock, silent and default devices.
#include "platform/DefaultWaveOutDevice.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/NullWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

WaveFormat Mono16(std::uint32_t rate = 8000) {
    WaveFormat f;
    f.formatTag = WaveFormat::kPcm;
    f.channels = 1;
    f.samplesPerSec = rate;
    f.blockAlign = 2;
    f.avgBytesPerSec = rate * 2;
    f.bitsPerSample = 16;
    return f;
}

class Collector : public WaveOutListener {
public:
    void OnOutputBufferDone(WaveOutBuffer* buffer) override { tags.push_back(buffer->tag); }
    std::vector<std::uint32_t> tags;
};

std::unique_ptr<WaveOutBuffer> Buffer(std::uint32_t length, std::uint32_t tag) {
    auto b = std::make_unique<WaveOutBuffer>();
    b->data.assign(length, 1);
    b->length = length;
    b->tag = tag;
    return b;
}

class ManualDevice : public ::testing::Test {
protected:
    void Write(WaveOutBuffer* b) {
        ASSERT_EQ(device.Prepare(b), kWaveOutOk);
        ASSERT_EQ(device.Write(b), kWaveOutOk);
    }
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device{messages};
    Collector listener;
};

} // namespace

TEST_F(ManualDevice, NoticesArriveOnlyWhenPumpedAndInWriteOrder) {
    ASSERT_EQ(device.Open(Mono16(), &listener), kWaveOutOk);
    auto a = Buffer(100, 1);
    auto b = Buffer(100, 2);
    Write(a.get());
    Write(b.get());
    device.Advance(150);
    EXPECT_TRUE(listener.tags.empty()) << "never from the consuming side directly";
    messages.RunPending();
    EXPECT_EQ(listener.tags, (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(device.GetPosition(), 150u);
    device.Advance(1000);
    messages.RunPending();
    EXPECT_EQ(listener.tags, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(device.GetPosition(), 200u) << "only bytes actually played count";
}

TEST_F(ManualDevice, ResetReturnsEveryBufferForTheCallerToDrain) {
    ASSERT_EQ(device.Open(Mono16(), &listener), kWaveOutOk);
    auto a = Buffer(100, 1);
    auto b = Buffer(100, 2);
    Write(a.get());
    Write(b.get());
    device.Advance(100); // a's notice is on its way
    EXPECT_EQ(device.Unprepare(b.get()), kWaveOutStillPlaying);
    ASSERT_EQ(device.Reset(), kWaveOutOk);
    EXPECT_EQ(device.GetPosition(), 0u);
    EXPECT_EQ(device.TakeFinishedBuffer(), a.get());
    EXPECT_EQ(device.TakeFinishedBuffer(), b.get());
    EXPECT_EQ(device.TakeFinishedBuffer(), nullptr);
    EXPECT_EQ(device.Unprepare(b.get()), kWaveOutOk);
    messages.RunPending();
    EXPECT_TRUE(listener.tags.empty()) << "the notice on its way finds nothing";
}

TEST_F(ManualDevice, WritesNeedAnOpenDeviceAndAPreparedBuffer) {
    auto a = Buffer(10, 1);
    EXPECT_EQ(device.Prepare(a.get()), kWaveOutNotOpen);
    EXPECT_EQ(device.Write(a.get()), kWaveOutNotOpen);
    EXPECT_EQ(device.Reset(), kWaveOutNotOpen);
    std::uint32_t volume = 0;
    EXPECT_EQ(device.GetVolume(&volume), kWaveOutNotOpen);
    ASSERT_EQ(device.Open(Mono16(), &listener), kWaveOutOk);
    EXPECT_EQ(device.Open(Mono16(), &listener), kWaveOutError) << "already open";
    EXPECT_EQ(device.Write(a.get()), kWaveOutUnprepared);
    WaveFormat bad = Mono16();
    bad.blockAlign = 0;
    ManualClockWaveOutDevice other(messages);
    EXPECT_EQ(other.Open(bad, nullptr), kWaveOutBadFormat);
}

TEST_F(ManualDevice, NoticesOfAClosedOrDestroyedDeviceAreDropped) {
    auto a = Buffer(10, 1);
    {
        ManualClockWaveOutDevice shortLived(messages);
        ASSERT_EQ(shortLived.Open(Mono16(), &listener), kWaveOutOk);
        shortLived.Prepare(a.get());
        shortLived.Write(a.get());
        shortLived.Advance(10);
        EXPECT_EQ(shortLived.TakeFinishedBuffer(), a.get());
    }
    EXPECT_EQ(messages.RunPending(), 1u);
    EXPECT_TRUE(listener.tags.empty());
}

TEST_F(ManualDevice, VolumeOutlivesCloseAndReopen) {
    ASSERT_EQ(device.Open(Mono16(), nullptr), kWaveOutOk);
    EXPECT_EQ(device.SetVolume(0x20002000u), kWaveOutOk);
    device.Close();
    ASSERT_EQ(device.Open(Mono16(), nullptr), kWaveOutOk);
    std::uint32_t volume = 0;
    EXPECT_EQ(device.GetVolume(&volume), kWaveOutOk);
    EXPECT_EQ(volume, 0x20002000u);
}

TEST(SilentDevice, ConsumesBuffersAtTheRealTimeRate) {
    PumpedMessageQueue messages;
    NullWaveOutDevice device(messages);
    Collector listener;
    ASSERT_EQ(device.Open(Mono16(8000), &listener), kWaveOutOk);
    auto a = Buffer(160, 7); // 10 ms
    device.Prepare(a.get());
    // The clock starts before the write: the device may consume the buffer before this
    // thread runs again.
    const auto started = std::chrono::steady_clock::now();
    device.Write(a.get());
    for (int i = 0; i < 200 && listener.tags.empty(); ++i) {
        messages.WaitAndRun(std::chrono::milliseconds(10));
    }
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(listener.tags, (std::vector<std::uint32_t>{7}));
    EXPECT_GE(elapsed, std::chrono::milliseconds(9)) << "not faster than real time";
    EXPECT_EQ(device.GetPosition(), 160u);
    EXPECT_EQ(device.Close(), kWaveOutOk);
}

TEST(DefaultDevice, OpensSoundOrSilenceAndKeepsTheVolume) {
    PumpedMessageQueue messages;
    DefaultWaveOutDevice device(messages);
    ASSERT_EQ(device.Open(Mono16(), nullptr), kWaveOutOk);
    EXPECT_EQ(device.SetVolume(0x11112222u), kWaveOutOk);
    device.Close();
    ASSERT_EQ(device.Open(Mono16(), nullptr), kWaveOutOk);
    std::uint32_t volume = 0;
    EXPECT_EQ(device.GetVolume(&volume), kWaveOutOk);
    EXPECT_EQ(volume, 0x11112222u);
    device.Close();
    EXPECT_FALSE(device.IsOpen());
}
