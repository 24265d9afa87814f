// The output player driven by the manual-clock device: buffers, notices, reset, position.
#include "audio/EngineHarness.h"

#include <numeric>
#include <random>

using namespace fixtures;

namespace {

Bytes Noise(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    Bytes out(count);
    for (auto& b : out) {
        b = static_cast<std::uint8_t>(random());
    }
    return out;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
    return Bytes(bytes.begin() + from, bytes.begin() + to);
}

using Player = EngineHarness;

} // namespace

TEST_F(Player, NormalSpeedPlaysTheBytesUnchangedInEighthSecondBuffers) {
    const Bytes data = Noise(52800, 1); // 16-bit mono 8 kHz: buffers of 2,000 bytes
    Open(Pcm(1, 8000, 16), data);
    EXPECT_EQ(engine.BufferLength(), 2000u);
    device.KeepPlayedBytes(true);
    engine.PlayRange(0, 52800, 0);
    EXPECT_EQ(engine.BufferCount(), 27u);
    EXPECT_EQ(device.QueuedCount(), 10u);
    PlayToTheEnd();
    EXPECT_EQ(mostQueued, 10u);
    EXPECT_EQ(device.PreparedCount(), 0);
    EXPECT_EQ(device.Played(), data);
    EXPECT_EQ(owner.doneNotices, 27);
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(Player, ShortRangeQueuesAllItsBuffersAtOnce) {
    Open(Pcm(1, 8000, 16), Noise(20000, 2));
    engine.PlayRange(0, 5000, 0);
    EXPECT_EQ(device.QueuedCount(), 3u);
    PlayToTheEnd();
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(Player, IntervalFollowsAsFullBuffersOfSilence) {
    const Bytes data = Noise(8000, 3); // 8-bit mono 8 kHz: buffers of 1,000 bytes
    Open(Pcm(1, 8000, 8), data);
    device.KeepPlayedBytes(true);
    engine.PlayRange(100, 1100, 2500);
    EXPECT_EQ(engine.BufferCount(), 4u);
    PlayToTheEnd();
    Bytes expected = Slice(data, 100, 1100);
    expected.resize(3500, 128);
    EXPECT_EQ(device.Played(), expected);
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(Player, RangeEndsAreRoundedDownToWholeFrames) {
    const Bytes data = Noise(32000, 4); // 16-bit stereo 8 kHz
    Open(Pcm(2, 8000, 16), data);
    device.KeepPlayedBytes(true);
    engine.PlayRange(6, 4003, 7);
    PlayToTheEnd();
    Bytes expected = Slice(data, 4, 4000);
    expected.resize(expected.size() + 4, 0);
    EXPECT_EQ(device.Played(), expected);
}

TEST_F(Player, ResetDuringPlaybackDropsEveryBufferAndEveryPendingNotice) {
    Open(Pcm(1, 8000, 16), Noise(52800, 5));
    engine.PlayRange(0, 52800, 0);
    device.FinishHeadBuffer();
    device.FinishHeadBuffer();
    ASSERT_EQ(messages.PendingCount(), 2u);
    engine.ResetOutput();
    EXPECT_EQ(device.QueuedCount(), 0u);
    EXPECT_EQ(device.FinishedCount(), 0u);
    EXPECT_EQ(device.PreparedCount(), 0) << "every returned buffer was unprepared and freed";
    EXPECT_EQ(engine.GetPlayPosition(), 0u);
    messages.RunPending();
    EXPECT_EQ(owner.doneNotices, 0) << "no notice of the dropped range arrives";
    EXPECT_EQ(owner.rangesFinished, 0);
}

TEST_F(Player, NewRangeReplacesTheOneBeingPlayed) {
    const Bytes data = Noise(52800, 6);
    Open(Pcm(1, 8000, 16), data);
    engine.PlayRange(0, 52800, 0);
    device.FinishHeadBuffer(); // its notice is still waiting
    device.KeepPlayedBytes(true);
    engine.PlayRange(10000, 14000, 0);
    PlayToTheEnd();
    EXPECT_EQ(device.Played(), Slice(data, 10000, 14000));
    EXPECT_EQ(owner.doneNotices, 2);
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(Player, OwnerCanRepeatTheRangeFromTheFinishedNotice) {
    const Bytes data = Noise(16000, 7);
    Open(Pcm(1, 8000, 16), data);
    device.KeepPlayedBytes(true);
    owner.onRangeFinished = [this] {
        if (owner.rangesFinished < 3) {
            engine.PlayRange(0, 5000, 0);
        }
    };
    engine.PlayRange(0, 5000, 0);
    PlayToTheEnd();
    EXPECT_EQ(owner.rangesFinished, 3);
    Bytes pass = Slice(data, 0, 5000);
    Bytes expected;
    for (int i = 0; i < 3; ++i) {
        expected.insert(expected.end(), pass.begin(), pass.end());
    }
    EXPECT_EQ(device.Played(), expected);
}

TEST_F(Player, RefusedWriteIsRetriedAtTheNextNotice) {
    const Bytes data = Noise(52800, 8);
    Open(Pcm(1, 8000, 16), data);
    device.KeepPlayedBytes(true);
    engine.PlayRange(0, 52800, 0);
    device.RefuseWrites(true);
    device.FinishHeadBuffer();
    messages.RunPending();
    EXPECT_EQ(device.QueuedCount(), 9u);
    EXPECT_EQ(engine.NextBuffer(), 10u);
    device.RefuseWrites(false);
    PlayToTheEnd();
    EXPECT_EQ(device.Played(), data);
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(Player, RangeRefusedFromTheStartQueuesNothing) {
    Open(Pcm(1, 8000, 16), Noise(8000, 9));
    device.RefuseWrites(true);
    engine.PlayRange(0, 8000, 0);
    EXPECT_EQ(device.QueuedCount(), 0u);
    EXPECT_EQ(engine.NextBuffer(), 0u);
}

TEST_F(Player, EmptyRangeWithoutIntervalPlaysNothing) {
    Open(Pcm(1, 8000, 16), Noise(8000, 10));
    engine.PlayRange(400, 400, 0);
    EXPECT_EQ(device.QueuedCount(), 0u);
    engine.PlayRange(5000, 1000, 2000); // starts after the end by more than the interval
    EXPECT_EQ(device.QueuedCount(), 0u);
}

TEST_F(Player, ResumeInsideTheIntervalPlaysTheRestOfTheSilence) {
    Open(Pcm(1, 8000, 8), Noise(8000, 11));
    device.KeepPlayedBytes(true);
    engine.PlayRange(1300, 1000, 500);
    PlayToTheEnd();
    EXPECT_EQ(device.Played(), Bytes(200, 128));
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(Player, PositionCountsFileBytesPlayedAtTheSpeed) {
    EXPECT_EQ(engine.GetPlayPosition(), 0u) << "no device open";
    Open(Pcm(1, 8000, 16), Noise(80000, 12), 50);
    engine.PlayRange(0, 40000, 0);
    device.Advance(3000);
    EXPECT_EQ(engine.GetPlayPosition(), 1500u);
    engine.ResetOutput();
    EXPECT_EQ(engine.GetPlayPosition(), 0u);
}

TEST_F(Player, SlowSpeedDoublesTheBuffersExceptNearTheEndOfTheData) {
    Open(Pcm(1, 8000, 16), Sine16(40000, 300, 8000, 8000), 50); // 80,000 bytes
    device.KeepPlayedBytes(true);
    engine.PlayRange(0, 4000, 0);
    PlayToTheEnd();
    EXPECT_EQ(device.Played().size(), 8000u);
    device.KeepPlayedBytes(false);
    engine.PlayRange(76000, 80000, 0);
    ASSERT_EQ(device.QueuedCount(), 2u);
    EXPECT_EQ(device.FinishHeadBuffer(), 2000u) << "within three buffers of the end: unstretched";
}

TEST_F(Player, OpenOutputNeedsAPcmFileAnOwnerAndADevice) {
    const std::string pcm = WriteWave(Pcm(1, 8000, 16), Noise(1000, 13));
    EXPECT_FALSE(engine.OpenOutput(pcm, nullptr, 100));
    engine.CloseOutput();
    WaveFormat adpcm = Pcm(1, 8000, 4);
    adpcm.formatTag = 17;
    const std::string compressed =
        WriteTemp("adpcm.wav", RiffWave({FmtChunk(adpcm, 20), DataChunk(Bytes(100))}));
    EXPECT_FALSE(engine.OpenOutput(compressed, &owner, 100));
    EXPECT_FALSE(engine.IsWaveFileOpen());
    device.FailNextOpen(kWaveOutNoDevice);
    EXPECT_FALSE(engine.OpenOutput(pcm, &owner, 100));
    engine.CloseOutput();
    EXPECT_FALSE(engine.IsWaveFileOpen());
    CWaveEngine noDevice;
    EXPECT_FALSE(noDevice.OpenOutput(pcm, &owner, 100));
}

TEST_F(Player, DeviceGetsTheByteRateOfItsFramesAndBuffersWholeFrames) {
    WaveFormat odd = Pcm(1, 8000, 16);
    odd.avgBytesPerSec = 12345;
    Open(odd, Noise(4000, 14));
    EXPECT_EQ(device.Format().avgBytesPerSec, 16000u);
    EXPECT_EQ(engine.BufferLength(), 1542u);
}

TEST_F(Player, CloseOutputClosesDeviceAndFile) {
    Open(Pcm(1, 8000, 16), Noise(52800, 15));
    engine.PlayRange(0, 52800, 0);
    engine.CloseOutput();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(engine.IsOutputOpen());
    EXPECT_FALSE(engine.IsWaveFileOpen());
    EXPECT_EQ(device.FinishedCount(), 0u);
    messages.RunPending();
    EXPECT_EQ(owner.doneNotices, 0);
    EXPECT_EQ(engine.DataSize(), 52800u);
}

TEST_F(Player, EngineDestroyedWhilePlayingLeavesTheDeviceClosedAndEmpty) {
    {
        CWaveEngine local;
        local.SetOutputDevice(&device);
        RecordingOwner localOwner(local);
        ASSERT_TRUE(
            local.OpenOutput(WriteWave(Pcm(1, 8000, 16), Noise(52800, 16)), &localOwner, 100));
        local.PlayRange(0, 52800, 0);
    }
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.QueuedCount(), 0u);
    EXPECT_EQ(device.FinishedCount(), 0u);
}

TEST_F(Player, VolumeWithoutOpenOutputUsesATemporaryDevice) {
    ASSERT_EQ(engine.OpenWaveFile(WriteWave(Pcm(2, 22050, 16), Noise(400, 17))), 0);
    EXPECT_EQ(engine.GetVolume(), 0xFFFFFFFFu);
    EXPECT_EQ(engine.SetVolume(0x12345678u), 0);
    EXPECT_EQ(engine.GetVolume(), 0x12345678u);
    EXPECT_EQ(device.Format().samplesPerSec, 11025u) << "opened in its own small format";
    EXPECT_EQ(device.Format().bitsPerSample, 8);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(engine.Format(), Pcm(2, 22050, 16));
    device.FailNextOpen(kWaveOutNoDevice);
    EXPECT_EQ(engine.GetVolume(), 0u);
    device.FailNextOpen(kWaveOutNoDevice);
    EXPECT_EQ(engine.SetVolume(5), kWaveOutNoDevice);
    CWaveEngine noDevice;
    EXPECT_EQ(noDevice.GetVolume(), 0u);
}

TEST_F(Player, VolumeIsAGainPerChannel) {
    Bytes frames;
    for (int i = 0; i < 4000; ++i) {
        frames.insert(frames.end(), {0x00, 0x40, 0x00, 0xC0}); // left 16384, right -16384
    }
    Open(Pcm(2, 8000, 16), frames);
    EXPECT_EQ(engine.SetVolume(0x8000FFFFu), 0); // left full, right about half
    EXPECT_EQ(engine.GetVolume(), 0x8000FFFFu);
    device.KeepPlayedBytes(true);
    engine.PlayRange(0, 16, 0);
    PlayToTheEnd();
    const auto samples = ToSamples16(device.Played());
    ASSERT_EQ(samples.size(), 8u);
    EXPECT_EQ(samples[0], 16384);
    EXPECT_EQ(samples[1], -16384 * 32768 / 65535);
}
