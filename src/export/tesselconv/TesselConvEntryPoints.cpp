// The five entry points of the TesselConv encoder library. Streams live in a small table;
// a handle is the 1-based position of its stream, so a stale or made-up handle is refused
// instead of being followed.
#include "export/BladeEncoderApi.h"
#include "export/tesselconv/TesselConvStream.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#if defined(_WIN32)
#define TESSELCONV_EXPORT extern "C" __declspec(dllexport)
#else
#define TESSELCONV_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr std::size_t kMaxStreams = 16;

std::mutex g_lock;
std::array<std::unique_ptr<TesselConvStream>, kMaxStreams> g_streams;
// The information frame of the stream finished last, when its encoder reserved room for one
// at the start of the file; beWriteVBRHeader puts it there.
std::vector<std::uint8_t> g_pendingTag;

TesselConvStream* Find(blade::Stream handle) {
    if (handle == 0 || handle > kMaxStreams) {
        return nullptr;
    }
    return g_streams[handle - 1].get();
}

bool StartsWithFrame(std::FILE* file, std::size_t length) {
    std::array<std::uint8_t, 2> head{};
    if (std::fseek(file, 0, SEEK_END) != 0 || std::ftell(file) < static_cast<long>(length) ||
        std::fseek(file, 0, SEEK_SET) != 0 || std::fread(head.data(), 1, 2, file) != 2) {
        return false;
    }
    return head[0] == 0xFF && (head[1] & 0xE0) == 0xE0 && std::fseek(file, 0, SEEK_SET) == 0;
}

} // namespace

TESSELCONV_EXPORT blade::Error beInitStream(const void* config, std::uint32_t* samplesPerChunk,
                                            std::uint32_t* bufferSize, blade::Stream* stream) {
    if (config == nullptr || samplesPerChunk == nullptr || bufferSize == nullptr ||
        stream == nullptr) {
        return blade::kInvalidFormatParameters;
    }
    std::lock_guard lock(g_lock);
    auto free = std::find(g_streams.begin(), g_streams.end(), nullptr);
    if (free == g_streams.end()) {
        return blade::kNoMoreHandles;
    }
    auto created = std::unique_ptr<TesselConvStream>(new (std::nothrow) TesselConvStream);
    if (created == nullptr) {
        return blade::kNoMoreHandles;
    }
    const blade::Error result = created->Init(static_cast<const std::uint8_t*>(config));
    if (result != blade::kSuccessful) {
        return result;
    }
    *samplesPerChunk = created->SamplesPerChunk();
    *bufferSize = static_cast<std::uint32_t>(created->OutputBound(*samplesPerChunk));
    *free = std::move(created);
    *stream = static_cast<blade::Stream>(free - g_streams.begin() + 1);
    return blade::kSuccessful;
}

TESSELCONV_EXPORT blade::Error beEncodeChunk(blade::Stream handle, std::uint32_t sampleCount,
                                             const std::int16_t* samples, std::uint8_t* output,
                                             std::uint32_t* outputBytes) {
    std::lock_guard lock(g_lock);
    TesselConvStream* stream = Find(handle);
    if (stream == nullptr) {
        return blade::kInvalidHandle;
    }
    if ((samples == nullptr && sampleCount > 0) || output == nullptr || outputBytes == nullptr) {
        return blade::kInvalidFormatParameters;
    }
    return stream->Encode(samples, sampleCount, output, outputBytes);
}

TESSELCONV_EXPORT blade::Error beDeinitStream(blade::Stream handle, std::uint8_t* output,
                                              std::uint32_t* outputBytes) {
    std::lock_guard lock(g_lock);
    TesselConvStream* stream = Find(handle);
    if (stream == nullptr) {
        return blade::kInvalidHandle;
    }
    if (output == nullptr || outputBytes == nullptr) {
        return blade::kInvalidFormatParameters;
    }
    return stream->Finish(output, outputBytes, g_pendingTag);
}

TESSELCONV_EXPORT blade::Error beCloseStream(blade::Stream handle) {
    std::lock_guard lock(g_lock);
    if (Find(handle) == nullptr) {
        return blade::kInvalidHandle;
    }
    g_streams[handle - 1].reset();
    return blade::kSuccessful;
}

// Writes the information frame of the stream finished last over the frame its encoder
// reserved at the start of the file. Without one (the stream asked for no header) there is
// nothing to do.
TESSELCONV_EXPORT blade::Error beWriteVBRHeader(const char* path) {
    std::lock_guard lock(g_lock);
    if (g_pendingTag.empty()) {
        return blade::kSuccessful;
    }
    std::vector<std::uint8_t> tag = std::move(g_pendingTag);
    g_pendingTag.clear();
    std::FILE* file = path == nullptr ? nullptr : std::fopen(path, "r+b");
    if (file == nullptr) {
        return blade::kInvalidFormatParameters;
    }
    bool written = StartsWithFrame(file, tag.size()) &&
                   std::fwrite(tag.data(), 1, tag.size(), file) == tag.size();
    written = std::fclose(file) == 0 && written;
    return written ? blade::kSuccessful : blade::kInvalidFormatParameters;
}
