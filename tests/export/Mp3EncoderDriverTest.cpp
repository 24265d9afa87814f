// The encoder driver against stand-in libraries that copy what they are given.
#include "export/Mp3EncoderDriver.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <map>

namespace {

WaveFormat Format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const auto align = static_cast<std::uint16_t>(channels * bits / 8);
    return {WaveFormat::kPcm, channels, rate, rate * align, align, bits};
}

bool IsLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
    }
    return handle != nullptr;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class DriverTest : public ::testing::Test {
protected:
    DriverTest() { setenv("STANDIN_DIR", dir.Folder().c_str(), 1); }
    ~DriverTest() override { unsetenv("STANDIN_FAIL"); }

    TempDir dir;
    ScriptedPrompts prompts;
    Mp3EncoderDriver driver{STANDIN_FULL, &prompts};
};

TEST(EncoderConfig, RecordHoldsTheFieldsAndZerosElsewhere) {
    struct Case {
        WaveFormat format;
        int bitRate;
        std::uint32_t mode;
    };
    for (const Case& c : {Case{Format(2, 44100, 16), 48, 0}, Case{Format(1, 22050, 8), 8, 3},
                          Case{Format(1, 11025, 16), 320, 3}}) {
        std::array<std::uint8_t, 331> expected{};
        const std::map<std::size_t, std::uint32_t> fields = {
            {0, 256},     {4, 1},
            {8, 331},     {12, c.format.samplesPerSec},
            {20, c.mode}, {24, static_cast<std::uint32_t>(c.bitRate)},
            {60, 1},      {84, 1}};
        for (const auto& [offset, value] : fields) {
            for (int i = 0; i < 4; ++i) {
                expected[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
            }
        }
        EXPECT_EQ(Mp3EncoderDriver::MakeConfig(c.bitRate, c.format), expected) << c.bitRate;
    }
}

TEST_F(DriverTest, LibraryReceivesTheRecordAndTheWidenedSamples) {
    struct Case {
        WaveFormat format;
        std::vector<std::uint8_t> pcm;
        std::vector<std::uint8_t> passed;
    };
    const std::vector<Case> cases = {
        // 8-bit b becomes (b - 128) * 256: 0 -> -32768, 128 -> 0, 255 -> 32512, 129 -> 256.
        {Format(1, 8000, 8), {0, 128, 255, 129}, {0x00, 0x80, 0x00, 0x00, 0x00, 0x7F, 0x00, 0x01}},
        {Format(2, 44100, 16), {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        driver.SetOutputPath(dir.Path("out.mp3"));
        ASSERT_EQ(driver.OpenEncoderStream(64, c.format), 0);
        const auto record = Mp3EncoderDriver::MakeConfig(64, c.format);
        EXPECT_EQ(TempDir::Read(dir.Path("config.bin")),
                  std::vector<std::uint8_t>(record.begin(), record.end()));
        ASSERT_EQ(driver.EncodeChunk(c.pcm.data(), c.pcm.size()), 0);
        ASSERT_EQ(driver.CloseEncoderStream(), 0);
        EXPECT_FALSE(IsLoaded(STANDIN_FULL));
        // The header is written after the file is closed: it follows the last frames.
        std::vector<std::uint8_t> expected = c.passed;
        for (std::uint8_t b : Bytes("END!VBRH")) {
            expected.push_back(b);
        }
        EXPECT_EQ(TempDir::Read(dir.Path("out.mp3")), expected);
    }
}

TEST_F(DriverTest, EveryFailedOpenLeavesNoLibraryAndNoFile) {
    struct Case {
        const char* name;
        std::string library;
        std::string output;
        const char* fail;
        WaveFormat format;
    };
    const std::string missing = dir.Path("nowhere/libTesselConv.so");
    const std::vector<Case> cases = {
        {"no library", missing, "out.mp3", "", Format(2, 44100, 16)},
        {"no beWriteVBRHeader", STANDIN_NOVBR, "out.mp3", "", Format(2, 44100, 16)},
        {"output folder missing", STANDIN_FULL, "no/out.mp3", "", Format(2, 44100, 16)},
        {"beInitStream fails", STANDIN_FULL, "out.mp3", "init", Format(2, 44100, 16)},
        {"24-bit source", STANDIN_FULL, "out.mp3", "", Format(2, 44100, 24)},
    };
    for (const Case& c : cases) {
        setenv("STANDIN_FAIL", c.fail, 1);
        Mp3EncoderDriver failing(c.library, &prompts);
        failing.SetOutputPath(dir.Path(c.output));
        EXPECT_EQ(failing.OpenEncoderStream(48, c.format), -1) << c.name;
        EXPECT_FALSE(failing.IsStreamOpen()) << c.name;
        EXPECT_FALSE(std::filesystem::exists(dir.Path(c.output))) << c.name;
        EXPECT_FALSE(IsLoaded(STANDIN_FULL) || IsLoaded(STANDIN_NOVBR)) << c.name;
    }
    EXPECT_FALSE(Mp3EncoderDriver(missing, &prompts).WriteEncoderLibrary());
    EXPECT_FALSE(Mp3EncoderDriver(STANDIN_NOVBR, &prompts).WriteEncoderLibrary());
    EXPECT_TRUE(Mp3EncoderDriver(STANDIN_FULL, &prompts).WriteEncoderLibrary());
    EXPECT_FALSE(IsLoaded(STANDIN_FULL));
}

TEST_F(DriverTest, FailuresAfterOpenAreReportedAndUnload) {
    for (const char* fail : {"encode", "deinit"}) {
        setenv("STANDIN_FAIL", fail, 1);
        driver.SetOutputPath(dir.Path("out.mp3"));
        ASSERT_EQ(driver.OpenEncoderStream(48, Format(1, 8000, 16)), 0);
        const std::vector<std::uint8_t> pcm(64, 1);
        EXPECT_EQ(driver.EncodeChunk(pcm.data(), pcm.size()),
                  fail == std::string("encode") ? -1 : 0);
        EXPECT_EQ(driver.CloseEncoderStream(), fail == std::string("deinit") ? -1 : 0) << fail;
        EXPECT_FALSE(IsLoaded(STANDIN_FULL)) << fail;
        EXPECT_EQ(driver.EncodeChunk(pcm.data(), pcm.size()), -1) << "closed stream";
    }
}

} // namespace
