// A ten-hour range on the manual-clock device: the buffers queued and the memory held stay
// bounded while it plays, and a reset gives every byte back. The file is sparse: a header
// claiming ten hours of data over a file extended with truncate, so nothing big is written.
//
// This binary counts the bytes held by every operator new, so it is a test program of its own.
#include "audio/EngineHarness.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <unistd.h>

namespace {

std::atomic<std::int64_t> g_liveBytes{0};
// Each block carries its size in front, kept at the alignment operator new must give.
constexpr std::size_t kPrefix = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

} // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size + kPrefix);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    g_liveBytes += static_cast<std::int64_t>(size);
    return static_cast<char*>(block) + kPrefix;
}

void operator delete(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    char* block = static_cast<char*>(pointer) - kPrefix;
    g_liveBytes -= static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

using namespace fixtures;

namespace {

// 44.1 kHz mono 16-bit: ten hours are 3,175,200,000 bytes, beyond 2^31 but within 32 bits.
constexpr std::uint32_t kTenHours = 36000u * 88200u;
constexpr std::uint32_t kBuffer = 11024;

class LongRange : public EngineHarness {
protected:
    std::string WriteSparseTenHours() {
        const WaveFormat format = Pcm(1, 44100, 16);
        const Bytes header =
            RiffWave({FmtChunk(format), Chunk{"data", {}, kTenHours}}, 4 + 24 + 8 + kTenHours);
        const std::string path = WriteTemp("tenhours.wav", header);
        if (truncate(path.c_str(), static_cast<off_t>(header.size()) + kTenHours) != 0) {
            return {};
        }
        m_path = path;
        return path;
    }
    ~LongRange() override {
        engine.CloseOutput();
        if (!m_path.empty()) {
            unlink(m_path.c_str());
        }
    }

    // Plays `count` buffers one by one; checks after each that at most ten are queued and
    // that the memory held has not grown beyond `ceiling`. Returns the most held.
    std::int64_t Step(int count, std::int64_t ceiling) {
        std::int64_t most = 0;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(device.FinishHeadBuffer(), 2u * kBuffer) << "buffer " << i;
            messages.RunPending();
            EXPECT_LE(device.QueuedCount(), CWaveEngine::kMaxQueuedBuffers);
            EXPECT_LE(device.PreparedCount(), static_cast<int>(CWaveEngine::kMaxQueuedBuffers));
            most = std::max(most, g_liveBytes.load());
            if (g_liveBytes.load() > ceiling) {
                ADD_FAILURE() << "memory grew to " << g_liveBytes.load() << " at buffer " << i;
                break;
            }
        }
        return most;
    }

    std::string m_path;
};

} // namespace

TEST_F(LongRange, TenHourRangePlaysWithBoundedMemory) {
    const std::string path = WriteSparseTenHours();
    ASSERT_FALSE(path.empty()) << "cannot extend the test file";
    ASSERT_TRUE(engine.OpenOutput(path, &owner, 50));
    ASSERT_EQ(engine.DataSize(), kTenHours);
    ASSERT_EQ(engine.BufferLength(), kBuffer);
    const std::int64_t idle = g_liveBytes.load();

    engine.PlayRange(0, kTenHours, 0);
    EXPECT_EQ(engine.BufferCount(), (kTenHours - 1) / kBuffer + 1); // 288,026 buffers
    EXPECT_EQ(device.QueuedCount(), 10u);
    const std::int64_t playing = g_liveBytes.load();
    // Ten buffers of 4 x buffer length bytes and their headers, and little else.
    EXPECT_LE(playing - idle, 10 * (4 * kBuffer + 256) + 4096);
    // Every buffer played lets the engine queue exactly one more; nothing accumulates.
    const std::int64_t ceiling = playing + 4096;
    Step(400, ceiling);
    EXPECT_EQ(engine.GetPlayPosition(), 400u * kBuffer);

    // Further into the same file: the middle and the last minute, at offsets beyond 2^31.
    engine.PlayRange(kTenHours / 2, kTenHours, 0);
    Step(200, ceiling);
    engine.PlayRange(kTenHours - 60 * 88200, kTenHours, 0);
    const std::uint32_t last = engine.BufferCount();
    // The last three buffers reach the end of the data and are not stretched.
    Step(static_cast<int>(last) - 3, ceiling);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(device.FinishHeadBuffer(), 0u);
        messages.RunPending();
    }
    EXPECT_EQ(owner.rangesFinished, 1);
    EXPECT_EQ(device.QueuedCount(), 0u);
    EXPECT_EQ(g_liveBytes.load(), idle) << "every buffer of the finished range was freed";

    // A reset in the middle of the range gives every buffer back and finishes nothing.
    engine.PlayRange(0, kTenHours, 0);
    Step(20, ceiling);
    engine.ResetOutput();
    messages.RunPending();
    EXPECT_EQ(device.QueuedCount(), 0u);
    EXPECT_EQ(device.PreparedCount(), 0);
    EXPECT_EQ(g_liveBytes.load(), idle);
    EXPECT_EQ(owner.rangesFinished, 1);
}
