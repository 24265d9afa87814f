// The player away from normal speed: buffer lengths on the device, whole frames, the edge
// where stretching stops before the end of the data, and the pitch of stretched tones.
#include "audio/EngineHarness.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace fixtures;

namespace {

// 44.1 kHz 16-bit: buffers of 5,512 frames.
constexpr std::uint32_t kFrames = 5512;
constexpr std::uint32_t kStereoBuffer = 4 * kFrames;
constexpr std::uint32_t kMonoBuffer = 2 * kFrames;

// 16-bit stereo: one tone on the left, another (or, at 0 Hz, silence) on the right.
Bytes TwoTones(std::uint32_t frames, double left, double right, std::uint32_t rate) {
    const Bytes l = Sine16(frames, left, rate, 9000);
    const Bytes r = Sine16(frames, right, rate, 9000);
    Bytes out;
    out.reserve(2 * l.size());
    for (std::size_t i = 0; i < l.size(); i += 2) {
        out.insert(out.end(), {l[i], l[i + 1], r[i], r[i + 1]});
    }
    return out;
}

std::vector<std::int32_t> Channel(const Bytes& bytes, int channel, int channels) {
    const auto all = ToSamples16(bytes);
    std::vector<std::int32_t> out;
    for (std::size_t i = static_cast<std::size_t>(channel); i < all.size(); i += channels) {
        out.push_back(all[i]);
    }
    return out;
}

class StretchedPlayback : public EngineHarness {
protected:
    // Finishes the head buffer, delivers its notice, and returns the bytes it held.
    std::size_t PlayOneBuffer() {
        const std::size_t bytes = device.FinishHeadBuffer();
        messages.RunPending();
        return bytes;
    }
    std::int64_t Render(std::uint32_t start, std::uint32_t end, std::uint32_t interval, int rate) {
        out.clear();
        return engine.RenderRange(out, start, end, interval, rate);
    }

    Bytes out;
};

} // namespace

TEST_F(StretchedPlayback, BufferLengthsOfA44kStereoRangeFollowTheSpeed) {
    Open(Pcm(2, 44100, 16), Sine16(10 * 44100, 300.0, 44100, 8000, 2), 50);
    ASSERT_EQ(engine.BufferLength(), kStereoBuffer);
    // Six full buffers and a last one of 2,000 frames.
    engine.PlayRange(0, 6 * kStereoBuffer + 8000, 0);
    ASSERT_EQ(engine.BufferCount(), 7u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PlayOneBuffer(), 4u * 11024) << "buffer " << i << ": 11,024 frames";
    }
    EXPECT_EQ(PlayOneBuffer(), 16000u) << "the last, shorter buffer is doubled too";
    EXPECT_EQ(owner.rangesFinished, 1);

    engine.CloseOutput();
    Open(Pcm(2, 44100, 16), Sine16(10 * 44100, 300.0, 44100, 8000, 2), 200);
    engine.PlayRange(0, 6 * kStereoBuffer + 8000, 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PlayOneBuffer(), 4u * 2756) << "buffer " << i << ": 2,756 frames";
    }
    EXPECT_EQ(PlayOneBuffer(), 4000u);
    EXPECT_EQ(owner.rangesFinished, 2);
}

TEST_F(StretchedPlayback, IntervalBuffersOnTheDeviceAreFullLengthSilence) {
    Open(Pcm(2, 44100, 16), Sine16(10 * 44100, 300.0, 44100, 8000, 2), 50);
    // Three buffers of audio, then one and a half buffers of silence.
    engine.PlayRange(0, 3 * kStereoBuffer, kStereoBuffer + kStereoBuffer / 2);
    ASSERT_EQ(engine.BufferCount(), 5u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PlayOneBuffer(), 2u * kStereoBuffer) << i;
    }
    device.KeepPlayedBytes(true);
    EXPECT_EQ(PlayOneBuffer(), kStereoBuffer) << "silence is not stretched";
    EXPECT_EQ(PlayOneBuffer(), kStereoBuffer / 2);
    EXPECT_EQ(device.Played(), Bytes(kStereoBuffer + kStereoBuffer / 2, 0));
    EXPECT_EQ(owner.rangesFinished, 1);
}

TEST_F(StretchedPlayback, UnalignedOffsetsNeverSplitAStretchedFrame) {
    Open(Pcm(2, 44100, 16), TwoTones(10 * 44100, 1000.0, 0.0, 44100), 50);
    const std::uint32_t start = 4 * 3000;
    const std::uint32_t end = start + 3 * kStereoBuffer + 4 * 700;
    ASSERT_GT(Render(start, end, 0, 50), 0);
    const Bytes aligned = out;
    const auto left = Channel(aligned, 0, 2);
    const auto right = Channel(aligned, 1, 2);
    EXPECT_TRUE(std::all_of(right.begin(), right.end(), [](auto v) { return v == 0; }));
    EXPECT_GT(*std::max_element(left.begin(), left.end()), 8000);
    for (std::uint32_t skew : {1u, 2u, 3u}) {
        Render(start + skew, end + skew, 0, 50);
        EXPECT_EQ(out, aligned) << "offsets " << skew << " bytes into a frame";
    }
}

TEST_F(StretchedPlayback, StretchingStopsExactlyThreeBuffersBeforeTheEndOfTheData) {
    const Bytes data = Sine16(10 * kFrames, 300.0, 44100, 8000); // ten buffers of mono
    Open(Pcm(1, 44100, 16), data, 50);
    const auto size = static_cast<std::uint32_t>(data.size());
    // A buffer that starts three buffers before the end reaches it with its look-ahead.
    const std::uint32_t edge = size - 3 * kMonoBuffer;
    EXPECT_EQ(Render(edge, edge + kMonoBuffer, 0, 50), kMonoBuffer);
    EXPECT_EQ(out, Bytes(data.begin() + edge, data.begin() + edge + kMonoBuffer));
    // One frame earlier the look-ahead fits and the buffer is stretched.
    EXPECT_EQ(Render(edge - 2, edge - 2 + kMonoBuffer, 0, 50), 2 * kMonoBuffer);
    // The whole file: seven stretched buffers, then three at normal speed.
    EXPECT_EQ(Render(0, size, 0, 50), 7 * 2 * kMonoBuffer + 3 * kMonoBuffer);
    EXPECT_EQ(Bytes(out.end() - 3 * kMonoBuffer, out.end()),
              Bytes(data.end() - 3 * kMonoBuffer, data.end()));
}

TEST_F(StretchedPlayback, StretchedTonesKeepTheirDominantFrequency) {
    // Stereo gets a different tone on each channel, so that crossed channels show too. The
    // search range is shorter than these periods at some speeds, so segments do not always
    // join in phase and the peak may move a little; a change of pitch would move it by the
    // speed ratio (25 percent or more).
    struct Case {
        std::uint32_t sampleRate;
        std::uint16_t channels;
        std::vector<double> tones;
    };
    const Case cases[] = {{44100, 2, {1000.0, 1500.0}}, {22050, 1, {1000.0}}, {11025, 1, {1200.0}}};
    for (const Case& c : cases) {
        const std::uint32_t frames = 4 * c.sampleRate;
        Open(Pcm(c.channels, c.sampleRate, 16),
             c.channels == 2 ? TwoTones(frames, c.tones[0], c.tones[1], c.sampleRate)
                             : Sine16(frames, c.tones[0], c.sampleRate, 9000));
        const std::uint32_t byteRate = c.sampleRate * 2 * c.channels;
        for (int rate : {33, 50, 75, 125, 150, 200}) {
            const std::int64_t bytes = Render(0, byteRate, 0, rate);
            EXPECT_NEAR(static_cast<double>(bytes) / byteRate, 100.0 / rate, 0.01);
            for (int channel = 0; channel < c.channels; ++channel) {
                const double found =
                    DominantFrequency(Channel(out, channel, c.channels), c.sampleRate);
                EXPECT_NEAR(found, c.tones[channel], 0.02 * c.tones[channel])
                    << c.sampleRate << " Hz, channel " << channel << ", rate " << rate;
            }
        }
        engine.CloseOutput();
    }
}
