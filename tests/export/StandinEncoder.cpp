// A stand-in for the encoder library, built by the tests under the library's file name. It
// "encodes" by copying the samples it is given, so the tests see exactly what the driver
// passed; it records the configuration record into $STANDIN_DIR/config.bin, fails the entry
// point named by $STANDIN_FAIL (init, encode, deinit), and its beWriteVBRHeader appends
// "VBRH" to the file it is given. Built once more without beWriteVBRHeader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

bool Fails(const char* entry) {
    const char* fail = std::getenv("STANDIN_FAIL");
    return fail != nullptr && std::strcmp(fail, entry) == 0;
}

void Record(const void* config) {
    const char* dir = std::getenv("STANDIN_DIR");
    if (dir == nullptr) {
        return;
    }
    std::FILE* file = std::fopen((std::string(dir) + "/config.bin").c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(config, 1, 331, file);
        std::fclose(file);
    }
}

} // namespace

STANDIN_EXPORT unsigned long beInitStream(const void* config, std::uint32_t* samplesPerChunk,
                                          std::uint32_t* bufferSize, unsigned long* stream) {
    Record(config);
    *samplesPerChunk = 2304;
    *bufferSize = 10080;
    *stream = 7;
    return Fails("init") ? 1 : 0;
}

STANDIN_EXPORT unsigned long beEncodeChunk(unsigned long stream, std::uint32_t sampleCount,
                                           const std::int16_t* samples, std::uint8_t* output,
                                           std::uint32_t* outputBytes) {
    if (stream != 7 || Fails("encode")) {
        return 4;
    }
    std::memcpy(output, samples, sampleCount * 2);
    *outputBytes = sampleCount * 2;
    return 0;
}

STANDIN_EXPORT unsigned long beDeinitStream(unsigned long stream, std::uint8_t* output,
                                            std::uint32_t* outputBytes) {
    if (stream != 7 || Fails("deinit")) {
        return 4;
    }
    std::memcpy(output, "END!", 4);
    *outputBytes = 4;
    return 0;
}

STANDIN_EXPORT unsigned long beCloseStream(unsigned long stream) {
    return stream == 7 ? 0 : 4;
}

#ifndef STANDIN_WITHOUT_VBR_HEADER
STANDIN_EXPORT unsigned long beWriteVBRHeader(const char* path) {
    std::FILE* file = std::fopen(path, "ab");
    if (file == nullptr) {
        return 1;
    }
    std::fwrite("VBRH", 1, 4, file);
    std::fclose(file);
    return 0;
}
#endif
