// Real sound through PortAudio against a private JACK server with a dummy driver at
// 44.1 kHz: a range played end to end at the server's rate and at rates it does not run
// at, and a reset in the middle of a range.
#include "audio/CWaveEngine.h"
#include "platform/PortAudioWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// jackd -n NAME -d dummy -r 44100, started for the test program and stopped at its end.
class JackServer : public ::testing::Environment {
public:
    void SetUp() override {
        name = "earlark-test-" + std::to_string(getpid());
        const char* argv[] = {"jackd", "-n", name.c_str(), "-d", "dummy", "-r", "44100", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid, "jackd", &actions, nullptr, const_cast<char**>(argv), environ) !=
            0) {
            pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        const std::string wait = "jack_wait -w -t 10 -s " + name + " >/dev/null 2>&1";
        running = pid > 0 && std::system(wait.c_str()) == 0;
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }

    std::string name;
    pid_t pid = -1;
    bool running = false;
};

JackServer* g_server = nullptr;

// Passes every notice on to the engine, recording the buffer indexes in arrival order.
class Owner : public PlayerListener {
public:
    explicit Owner(CWaveEngine& engine) : m_engine(engine) {}
    void OnOutputBufferDone(WaveOutBuffer* buffer) override {
        tags.push_back(buffer->tag);
        m_engine.OnBufferDone(buffer, true);
    }
    void OnRangeFinished() override { ++finished; }

    std::vector<std::uint32_t> tags;
    int finished = 0;

private:
    CWaveEngine& m_engine;
};

class PortAudioJack : public ::testing::Test {
protected:
    void SetUp() override {
        if (!g_server->running) {
            GTEST_SKIP() << "the JACK dummy server (jackd2) could not be started";
        }
    }

    // Half a second of a tone in the format.
    std::string Wave(int rate, int channels, int bits) {
        const int frames = rate / 2;
        const int block = channels * bits / 8;
        Bytes b;
        b.Raw("RIFF").U32(36 + frames * block).Raw("WAVE").Raw("fmt ").U32(16);
        b.U16(1).U16(static_cast<std::uint16_t>(channels)).U32(rate).U32(rate * block);
        b.U16(static_cast<std::uint16_t>(block)).U16(static_cast<std::uint16_t>(bits));
        b.Raw("data").U32(frames * block);
        for (int i = 0; i < frames * channels; ++i) {
            const int v = (i / channels) % 40 < 20 ? 1 : -1;
            if (bits == 16) {
                b.U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v * 3000)));
            } else {
                b.U8(static_cast<std::uint8_t>(128 + v * 20));
            }
        }
        return dir.Write("tone" + std::to_string(rate) + ".wav", b.Data());
    }

    // Pumps the notices until the range has finished or time is up.
    void PumpUntilFinished(Owner& owner, std::chrono::seconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (owner.finished == 0 && std::chrono::steady_clock::now() < until) {
            messages.WaitAndRun(std::chrono::milliseconds(50));
        }
    }

    void EveryFormatPlaysToTheEndWithItsNoticesInOrder() {
        struct Format {
            int rate, channels, bits;
            bool converted;
        };
        for (Format f : {Format{44100, 2, 16, false}, Format{22050, 1, 16, true},
                         Format{8000, 1, 8, true}, Format{48000, 2, 8, true}}) {
            engine.SetOutputDevice(&device);
            Owner owner(engine);
            const std::string path = Wave(f.rate, f.channels, f.bits);
            ASSERT_TRUE(engine.OpenOutput(path, &owner, 100)) << f.rate;
            // Through the JACK server the stream runs at its rate; another sound system of the
            // machine may take the file's rate itself.
            if (device.HostName().find("JACK") != std::string::npos) {
                EXPECT_EQ(device.IsConverting(), f.converted) << f.rate;
                EXPECT_EQ(device.StreamRate(), 44100) << f.rate;
            }
            engine.PlayRange(0, engine.DataSize(), 0);
            const std::uint32_t count = engine.BufferCount();
            PumpUntilFinished(owner, std::chrono::seconds(5));
            EXPECT_EQ(owner.finished, 1) << f.rate;
            ASSERT_EQ(owner.tags.size(), count) << f.rate;
            for (std::uint32_t i = 0; i < count; ++i) {
                EXPECT_EQ(owner.tags[i], i) << f.rate;
            }
            // Every byte of the range was consumed, counted in the file's own bytes.
            EXPECT_EQ(device.GetPosition(), engine.DataSize()) << f.rate;
            engine.CloseOutput();
        }
    }

    void ResetMidRangeReturnsEveryBufferAndStopsTheStream() {
        for (int rate : {44100, 22050}) {
            engine.SetOutputDevice(&device);
            Owner owner(engine);
            ASSERT_TRUE(engine.OpenOutput(Wave(rate, 1, 16), &owner, 100));
            engine.PlayRange(0, engine.DataSize(), 0);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
            while (owner.tags.empty() && std::chrono::steady_clock::now() < until) {
                messages.WaitAndRun(std::chrono::milliseconds(20));
            }
            ASSERT_FALSE(owner.tags.empty()) << rate;
            EXPECT_TRUE(device.IsStreamActive()) << rate;
            engine.ResetOutput();
            EXPECT_FALSE(device.IsStreamActive()) << rate;
            EXPECT_EQ(device.GetPosition(), 0u) << rate;
            EXPECT_EQ(device.TakeFinishedBuffer(), nullptr) << rate;
            // Nothing of the old range reaches the owner afterwards.
            const std::size_t delivered = owner.tags.size();
            messages.WaitAndRun(std::chrono::milliseconds(200));
            EXPECT_EQ(owner.tags.size(), delivered) << rate;
            EXPECT_EQ(owner.finished, 0) << rate;
            // The next range starts the stream again and plays.
            engine.PlayRange(0, engine.DataSize() / 4, 0);
            PumpUntilFinished(owner, std::chrono::seconds(5));
            EXPECT_EQ(owner.finished, 1) << rate;
            engine.CloseOutput();
        }
    }

    TempDir dir;
    PumpedMessageQueue messages;
    PortAudioWaveOutDevice device{messages};
    CWaveEngine engine;
};

// One test, so that one server is started per run (servers started side by side by
// parallel test processes may not come up).
TEST_F(PortAudioJack, PlaysEveryFormatAndStopsOnReset) {
    EveryFormatPlaysToTheEndWithItsNoticesInOrder();
    ResetMidRangeReturnsEveryBufferAndStopsTheStream();
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    g_server = new JackServer;
    ::testing::AddGlobalTestEnvironment(g_server);
    return RUN_ALL_TESTS();
}
