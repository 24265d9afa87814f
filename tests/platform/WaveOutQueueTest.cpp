// The buffer queue shared by the output devices: order, reset, position, gain, and a
// consumer on another thread.
#include "platform/WaveOutQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

WaveFormat Format(std::uint16_t channels, std::uint16_t bits) {
    WaveFormat f;
    f.formatTag = WaveFormat::kPcm;
    f.channels = channels;
    f.samplesPerSec = 8000;
    f.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    f.avgBytesPerSec = 8000u * f.blockAlign;
    f.bitsPerSample = bits;
    return f;
}

std::unique_ptr<WaveOutBuffer> MakeBuffer(std::vector<std::uint8_t> bytes, std::uint32_t tag) {
    auto b = std::make_unique<WaveOutBuffer>();
    b->length = static_cast<std::uint32_t>(bytes.size());
    b->data = std::move(bytes);
    b->tag = tag;
    return b;
}

} // namespace

TEST(WaveOutQueue, BuffersFinishInOrderAndCountTheirBytes) {
    WaveOutQueue queue;
    int notices = 0;
    queue.SetFinishedNotice([&] { ++notices; });
    queue.SetFormat(Format(1, 8));
    auto a = MakeBuffer({1, 2, 3}, 0);
    auto b = MakeBuffer({4, 5}, 1);
    queue.Push(a.get());
    queue.Push(b.get());
    std::uint8_t out[8] = {};
    EXPECT_EQ(queue.Pull(out, 4), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 4), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(queue.TakeFinished(), a.get());
    EXPECT_EQ(queue.TakeFinished(), nullptr);
    EXPECT_EQ(queue.Pull(out, 4), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 4),
              (std::vector<std::uint8_t>{5, 128, 128, 128}))
        << "what the buffers cannot supply is 8-bit silence";
    EXPECT_EQ(queue.Position(), 5u);
    EXPECT_EQ(queue.TakeFinished(), b.get());
}

TEST(WaveOutQueue, ReturnAllFinishesEveryQueuedBufferAndRestartsThePosition) {
    WaveOutQueue queue;
    queue.SetFormat(Format(1, 16));
    auto a = MakeBuffer(std::vector<std::uint8_t>(10, 1), 0);
    auto b = MakeBuffer(std::vector<std::uint8_t>(10, 2), 1);
    queue.Push(a.get());
    queue.Push(b.get());
    EXPECT_EQ(queue.Skip(4), 4u);
    queue.ReturnAll();
    EXPECT_EQ(queue.Position(), 0u);
    EXPECT_EQ(queue.QueuedCount(), 0u);
    EXPECT_EQ(queue.TakeFinished(), a.get());
    EXPECT_EQ(queue.TakeFinished(), b.get());
    auto c = MakeBuffer({7, 8}, 2);
    queue.Push(c.get());
    std::uint8_t out[2];
    queue.Pull(out, 2);
    EXPECT_EQ(out[0], 7) << "a new buffer starts at its first byte";
}

TEST(WaveOutQueue, EmptyBufferFinishesWhenItReachesTheHead) {
    WaveOutQueue queue;
    auto empty = MakeBuffer({}, 0);
    queue.Push(empty.get());
    EXPECT_EQ(queue.Skip(0), 0u);
    EXPECT_EQ(queue.TakeFinished(), empty.get());
}

TEST(WaveOutQueue, GainScalesEachChannelOfSixteenBitFrames) {
    WaveOutQueue queue;
    queue.SetFormat(Format(2, 16));
    queue.SetVolume(0x00008000u); // left about half, right muted
    auto b = MakeBuffer({0x00, 0x40, 0x00, 0x40, 0x00, 0xC0, 0x00, 0xC0}, 0);
    queue.Push(b.get());
    std::uint8_t out[8];
    queue.Pull(out, 8);
    auto sample = [&](int i) {
        return static_cast<std::int16_t>(out[2 * i] | out[2 * i + 1] << 8);
    };
    EXPECT_EQ(sample(0), 16384 * 32768 / 65535);
    EXPECT_EQ(sample(1), 0);
    EXPECT_EQ(sample(2), -16384 * 32768 / 65535);
    EXPECT_EQ(sample(3), 0);
    EXPECT_EQ(b->data[1], 0x40) << "the buffer itself is not changed";
}

TEST(WaveOutQueue, GainScalesEightBitSamplesAroundTheirSilence) {
    WaveOutQueue queue;
    queue.SetFormat(Format(1, 8));
    queue.SetVolume(0u);
    auto b = MakeBuffer({0, 255, 128}, 0);
    queue.Push(b.get());
    std::uint8_t out[3];
    queue.Pull(out, 3);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 3), (std::vector<std::uint8_t>{128, 128, 128}));
    queue.SetVolume(0xFFFFFFFFu);
    EXPECT_EQ(queue.Volume(), 0xFFFFFFFFu);
}

// Run under ThreadSanitizer: a consumer thread pulls while this thread writes, resets and
// takes finished buffers, as the user-interface thread does.
TEST(WaveOutQueue, ConsumerThreadAndWriterShareBuffersSafely) {
    WaveOutQueue queue;
    std::atomic<int> notices{0};
    queue.SetFinishedNotice([&] { ++notices; });
    queue.SetFormat(Format(1, 16));
    std::atomic<bool> stop{false};
    std::thread consumer([&] {
        std::vector<std::uint8_t> out(64);
        while (!stop) {
            queue.Pull(out.data(), out.size());
        }
    });
    std::vector<std::unique_ptr<WaveOutBuffer>> owned;
    int taken = 0;
    for (int round = 0; round < 2000; ++round) {
        auto b = MakeBuffer(std::vector<std::uint8_t>(128, static_cast<std::uint8_t>(round)),
                            static_cast<std::uint32_t>(round));
        queue.Push(b.get());
        owned.push_back(std::move(b));
        if (round % 97 == 0) {
            queue.ReturnAll();
        }
        while (WaveOutBuffer* done = queue.TakeFinished()) {
            done->data.assign(128, 0); // the writer may touch a buffer once it is finished
            ++taken;
        }
    }
    stop = true;
    consumer.join();
    queue.ReturnAll();
    while (queue.TakeFinished() != nullptr) {
        ++taken;
    }
    EXPECT_EQ(taken, 2000);
    EXPECT_LE(notices.load(), 2000);
}
