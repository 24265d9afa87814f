#include "MpegTestSupport.h"

#include "import/MpegDecoder.h"
#include "import/MpegFileInput.h"
#include "import/MpegMemoryInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace mpegtest;

namespace {

struct Errors {
    std::vector<std::pair<int, std::string>> seen;
    static void Record(void* self, int code, const char* text) {
        static_cast<Errors*>(self)->seen.emplace_back(code, text);
    }
};

std::unique_ptr<MpegDecoder> NewDecoder(Errors* errors = nullptr) {
    std::unique_ptr<MpegDecoder> decoder;
    EXPECT_EQ(MpegDecoderCreate(&decoder), kMpegSuccess);
    if (errors != nullptr) {
        MpegDecoderSetErrorCallback(*decoder, Errors::Record, errors);
    }
    return decoder;
}

int g_newInstances = 0;
int CountingNew(void** instance, const char* name) {
    ++g_newInstances;
    return MpegFileInputModule().newInstance(instance, name);
}

int RefuseEverything(const char*) {
    return -1;
}

} // namespace

TEST(MpegDecoderInterfaceTest, RegistrationNeedsTheFourCoreOperations) {
    Errors errors;
    auto decoder = NewDecoder(&errors);
    const MpegInputModule complete = MpegFileInputModule();
    struct Case {
        void (*remove)(MpegInputModule&);
        const char* text;
    };
    const Case cases[] = {
        {[](MpegInputModule& m) { m.newInstance = nullptr; }, "null 'new' method in module"},
        {[](MpegInputModule& m) { m.open = nullptr; }, "null 'open' method in module"},
        {[](MpegInputModule& m) { m.close = nullptr; }, "null 'close' method in module"},
        {[](MpegInputModule& m) { m.read = nullptr; }, "null 'read' method in module"},
    };
    for (const Case& c : cases) {
        MpegInputModule module = complete;
        c.remove(module);
        EXPECT_EQ(MpegDecoderRegisterInputModule(*decoder, module), kMpegErrorInternal);
        ASSERT_FALSE(errors.seen.empty());
        EXPECT_EQ(errors.seen.back().second, c.text);
    }
    EXPECT_EQ(MpegDecoderRegisterInputModule(*decoder, complete), 0);
    EXPECT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()), 1);
    EXPECT_EQ(MpegDecoderRegisterInputModule(*decoder, complete), 2);
}

TEST(MpegDecoderInterfaceTest, AttachChoosesTheFirstAcceptingModule) {
    auto decoder = NewDecoder();
    MpegInputModule refusing = MpegFileInputModule();
    refusing.acceptName = RefuseEverything;
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, refusing), 0);
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "song.mp3", -1), kMpegErrorNoModuleAccepts);
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "song.mp3", 4), kMpegErrorNoSuchModule);
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()), 1);
    const std::uint8_t byte = 0;
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, MpegMemoryInputName(&byte, 1).c_str(), -1),
              kMpegSuccess);
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "song.mp3", -1), kMpegErrorNoModuleAccepts);
    // An explicit module id does not ask the module.
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "song.mp3", 0), kMpegSuccess);
}

TEST(MpegDecoderInterfaceTest, AttachingTheSameNameAgainKeepsTheInput) {
    auto decoder = NewDecoder();
    MpegInputModule counting = MpegFileInputModule();
    counting.newInstance = CountingNew;
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, counting), 0);
    g_newInstances = 0;
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "a.mp3", 0), kMpegSuccess);
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "a.mp3", 0), kMpegSuccess);
    EXPECT_EQ(g_newInstances, 1);
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "b.mp3", 0), kMpegSuccess);
    EXPECT_EQ(g_newInstances, 2);
    Errors errors;
    MpegDecoderSetErrorCallback(*decoder, Errors::Record, &errors);
    EXPECT_EQ(MpegDecoderAttachInput(*decoder, "", 0), kMpegErrorInvalidParameters);
    ASSERT_FALSE(errors.seen.empty());
    EXPECT_EQ(errors.seen.back().second, "null params or null/empty input name");
}

TEST(MpegDecoderInterfaceTest, NothingDecodesWithoutAnOpenInput) {
    auto decoder = NewDecoder();
    EXPECT_EQ(MpegDecoderOpenInput(*decoder), kMpegErrorInternal);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegErrorInternal);
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegFileInputModule()), 0);
    ASSERT_EQ(MpegDecoderAttachInput(*decoder, "x.mp3", -1), kMpegSuccess);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegErrorInternal);
    EXPECT_EQ(decoder->OutputBuffer().stereo, -1);
}

TEST(MpegDecoderInterfaceTest, FileModuleDescribesItselfAndReportsOpenFailures) {
    const MpegInputModule file = MpegFileInputModule();
    MpegInputModuleInfo info;
    ASSERT_EQ(file.describe(&info), kMpegSuccess);
    EXPECT_STREQ(info.name, "Input From File");
    EXPECT_STREQ(info.version, "Version 1.2");
    ASSERT_EQ(info.deviceCount, 2);
    EXPECT_STREQ(info.devices[0], "any file name");
    EXPECT_STREQ(info.devices[1], "standard input");
    EXPECT_EQ(file.acceptName("anything at all"), 0);

    const std::string dir = ScratchDir("file-module");
    Errors errors;
    auto decoder = NewDecoder(&errors);
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, file), 0);
    ASSERT_EQ(MpegDecoderAttachInput(*decoder, (dir + "/missing.mp3").c_str(), -1), 0);
    EXPECT_EQ(MpegDecoderOpenInput(*decoder), kMpegErrorNoSuchFile);
    EXPECT_EQ(errors.seen.back().second, "cannot open input file");
    ASSERT_EQ(MpegDecoderAttachInput(*decoder, dir.c_str(), -1), 0);
    EXPECT_EQ(MpegDecoderOpenInput(*decoder), kMpegErrorOpenFailed); // a folder
    if (geteuid() != 0) {
        const std::string locked = dir + "/locked.mp3";
        WriteFile(locked, {1, 2, 3});
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        ASSERT_EQ(MpegDecoderAttachInput(*decoder, locked.c_str(), -1), 0);
        EXPECT_EQ(MpegDecoderOpenInput(*decoder), kMpegErrorPermissionDenied);
    }
}

TEST(MpegDecoderInterfaceTest, FileModuleReadsWholeRequestsThenTheRest) {
    const std::string path = ScratchDir("file-read") + "/ten.bin";
    WriteFile(path, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    const MpegInputModule file = MpegFileInputModule();
    void* instance = nullptr;
    ASSERT_EQ(file.newInstance(&instance, path.c_str()), kMpegSuccess);
    ASSERT_EQ(file.open(instance), kMpegSuccess);
    EXPECT_EQ(file.size(instance), 10u);
    EXPECT_EQ(file.seekable(instance), 1);
    std::uint8_t buffer[8];
    EXPECT_EQ(file.read(instance, buffer, 6), 6u);
    EXPECT_EQ(file.read(instance, buffer, 6), 4u);
    EXPECT_EQ(buffer[3], 9);
    EXPECT_EQ(file.read(instance, buffer, 6), 0u);
    EXPECT_EQ(file.seek(instance, 2), kMpegSuccess);
    EXPECT_EQ(file.read(instance, buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(file.message(instance, 1, nullptr), 0);
    file.close(instance);
    file.deleteInstance(instance);

    ASSERT_EQ(file.newInstance(&instance, "-"), kMpegSuccess);
    ASSERT_EQ(file.open(instance), kMpegSuccess);
    EXPECT_EQ(file.seekable(instance), 0);
    EXPECT_EQ(file.size(instance), 0u);
    file.close(instance);
    file.deleteInstance(instance);
}

TEST(MpegDecoderInterfaceTest, OutputBufferDescribesEachFrame) {
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 3); // 44.1 kHz joint stereo
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 3)), 2); // then mono
    auto decoder = NewDecoder();
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()), 0);
    const std::string name = MpegMemoryInputName(stream.data(), stream.size());
    ASSERT_EQ(MpegDecoderAttachInput(*decoder, name.c_str(), -1), 0);
    ASSERT_EQ(MpegDecoderOpenInput(*decoder), 0);

    ASSERT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegSuccess);
    const MpegOutputBuffer& out = decoder->OutputBuffer();
    EXPECT_EQ(out.changeFlags,
              kMpegChangedBytesPerSample | kMpegChangedStereo | kMpegChangedSampleRate);
    EXPECT_EQ(out.size, 1152u * 2 * 2);
    EXPECT_EQ(out.bytesPerSample, 2);
    EXPECT_EQ(out.stereo, 1);
    EXPECT_EQ(out.sampleRate, 44100);
    ASSERT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegSuccess);
    EXPECT_EQ(out.changeFlags, 0u);
    ASSERT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegSuccess);
    ASSERT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegSuccess);
    EXPECT_EQ(out.changeFlags, kMpegChangedStereo);
    EXPECT_EQ(out.stereo, 0);
    EXPECT_EQ(out.size, 1152u * 2);
    ASSERT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegSuccess);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegErrorEndOfInput);
    EXPECT_EQ(MpegDecoderDecodeFrame(*decoder), kMpegErrorEndOfInput);
    EXPECT_EQ(decoder->Stats().framesDecoded, 5u);
}

TEST(MpegDecoderInterfaceTest, ACorruptFrameIsSkippedAndDecodingGoesOn) {
    std::vector<std::uint8_t> stream;
    const auto frame = SilentFrame(HeaderWord(3, 1, 4, 0, 0)); // layer I 128 kbit/s
    Append(stream, frame, 2);
    auto bad = frame;
    bad[4] = 0xFF; // allocation 15 in subband 0: forbidden
    Append(stream, bad);
    Append(stream, frame, 2);
    auto decoder = NewDecoder();
    ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()), 0);
    const std::string name = MpegMemoryInputName(stream.data(), stream.size());
    ASSERT_EQ(MpegDecoderAttachInput(*decoder, name.c_str(), -1), 0);
    ASSERT_EQ(MpegDecoderOpenInput(*decoder), 0);
    std::vector<int> results;
    for (int i = 0; i < 6; ++i) {
        results.push_back(MpegDecoderDecodeFrame(*decoder));
    }
    EXPECT_EQ(results,
              (std::vector<int>{0, 0, kMpegErrorInvalidFrame, 0, 0, kMpegErrorEndOfInput}));
    EXPECT_EQ(decoder->Stats().framesSkipped, 1u);
}

// Constant-bitrate streams at every bitrate, rate, layer and version: every frame is found
// (its length computed right) and decoded.
TEST(MpegDecoderInterfaceTest, EveryBitrateRateLayerAndVersionDecodes) {
    for (int versionBits : {3, 2, 0}) {
        for (int layer = 1; layer <= 3; ++layer) {
            for (int rate = 0; rate < 3; ++rate) {
                for (int bitrate = 1; bitrate < 15; ++bitrate) {
                    for (int mode : {0, 3}) {
                        std::vector<std::uint8_t> stream;
                        Append(stream,
                               SilentFrame(HeaderWord(versionBits, layer, bitrate, rate, mode,
                                                      bitrate % 2 == 0)),
                               3);
                        auto decoder = NewDecoder();
                        ASSERT_EQ(MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()),
                                  0);
                        const std::string name = MpegMemoryInputName(stream.data(), stream.size());
                        ASSERT_EQ(MpegDecoderAttachInput(*decoder, name.c_str(), -1), 0);
                        ASSERT_EQ(MpegDecoderOpenInput(*decoder), 0);
                        int decoded = 0;
                        int invalid = 0;
                        for (int result = 0; result != kMpegErrorEndOfInput;) {
                            result = MpegDecoderDecodeFrame(*decoder);
                            decoded += result == kMpegSuccess;
                            invalid += result == kMpegErrorInvalidFrame;
                        }
                        // Layer I stereo at 32 kbit/s and 44.1 or 48 kHz: a 32-byte frame cannot
                        // even hold the bit allocation, so each frame is reported invalid.
                        const bool impossible = versionBits == 3 && layer == 1 && bitrate == 1 &&
                                                mode == 0 && rate != 2;
                        EXPECT_EQ(impossible ? invalid : decoded, 3)
                            << "version bits " << versionBits << " layer " << layer << " rate "
                            << rate << " bitrate " << bitrate << " mode " << mode;
                    }
                }
            }
        }
    }
}
