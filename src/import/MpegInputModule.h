#pragma once

#include <cstddef>
#include <cstdint>

// Result codes of the MPEG audio decoder and its input modules.
inline constexpr int kMpegSuccess = 0;
inline constexpr int kMpegErrorOutOfMemory = -100;
inline constexpr int kMpegErrorInvalidParameters = -101;
inline constexpr int kMpegErrorInternal = -102; // also: no input, or input not open
inline constexpr int kMpegErrorOpenFailed = -500;
inline constexpr int kMpegErrorPermissionDenied = -504;
inline constexpr int kMpegErrorNoSuchModule = -507;
inline constexpr int kMpegErrorNoModuleAccepts = -508;
inline constexpr int kMpegErrorNoSuchFile = -513;
inline constexpr int kMpegErrorEndOfInput = -514;
// Only for a stream input (MpegDecoderOpenStream): the bytes pushed so far do not settle the
// next frame; push more, or end the input.
inline constexpr int kMpegNeedMoreInput = -515;
inline constexpr int kMpegErrorInvalidFrame = -600;

// What an input module says about itself.
struct MpegInputModuleInfo {
    const char* name = nullptr;
    const char* version = nullptr;
    const char* const* devices = nullptr;
    int deviceCount = 0;
};

// The operations the decoder calls on an input, in slot order. `instance` is what
// newInstance created. Slots 1, 2, 4 and 8..11 may be left empty.
struct MpegInputModule {
    // 1: 0 or more when the module takes the name, negative when it does not.
    int (*acceptName)(const char* name) = nullptr;
    // 2: module name, version and devices.
    int (*describe)(MpegInputModuleInfo* info) = nullptr;
    // 3: creates an instance for a name.
    int (*newInstance)(void** instance, const char* name) = nullptr;
    // 4
    void (*deleteInstance)(void* instance) = nullptr;
    // 5: 0 or a negative result code.
    int (*open)(void* instance) = nullptr;
    // 6
    int (*close)(void* instance) = nullptr;
    // 7: reads up to `size` bytes; returns the count read (fewer only at the end of the
    // input), 0 at the end or on an error.
    std::size_t (*read)(void* instance, void* buffer, std::size_t size) = nullptr;
    // 8: moves to an absolute byte offset.
    int (*seek)(void* instance, std::uint64_t offset) = nullptr;
    // 9: non-zero when seek works.
    int (*seekable)(void* instance) = nullptr;
    // 10: byte size, 0 when unknown.
    std::uint64_t (*size)(void* instance) = nullptr;
    // 11: module-specific messages.
    int (*message)(void* instance, int message, const void* data) = nullptr;
};
