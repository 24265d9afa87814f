#pragma once

#include "import/MpegFrameDecoder.h"
#include "import/MpegFrameReader.h"
#include "import/MpegInputModule.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Which format fields of the output buffer changed since the previous frame.
inline constexpr std::uint32_t kMpegChangedBytesPerSample = 1;
inline constexpr std::uint32_t kMpegChangedStereo = 2;
inline constexpr std::uint32_t kMpegChangedSampleRate = 4;

// Filled by every successful MpegDecoderDecodeFrame.
struct MpegOutputBuffer {
    std::uint32_t changeFlags = 0;
    const std::uint8_t* samples = nullptr; // signed 16-bit little-endian, interleaved
    std::uint32_t size = 0;                // bytes
    std::int32_t bytesPerSample = 2;
    std::int32_t stereo = -1; // 1: two channels, 0: one, -1: no frame yet
    std::int32_t sampleRate = 0;
};

// Counters and the first frame's format, for reports.
struct MpegStreamStats {
    std::uint64_t framesDecoded = 0;
    std::uint64_t framesSkipped = 0; // frames that gave kMpegErrorInvalidFrame
    std::uint64_t junkBytes = 0;     // bytes skipped while looking for frames (tags included)
    bool infoFrame = false;          // a Xing/Info/VBRI frame was found and not played
    int layer = 0;
    const char* version = "";
    int sampleRate = 0;
    int channels = 0;
    int minBitrate = 0; // kbit/s of decoded frames
    int maxBitrate = 0;
};

using MpegErrorCallback = void (*)(void* userData, int code, const char* text);

// One decoder instance: registered input modules, one attached input, the stream state
// and the output buffer. Use through the MpegDecoder* functions below.
class MpegDecoder {
public:
    MpegDecoder();
    ~MpegDecoder();
    MpegDecoder(const MpegDecoder&) = delete;
    MpegDecoder& operator=(const MpegDecoder&) = delete;

    int RegisterInputModule(const MpegInputModule& module);
    int AttachInput(const std::string& name, int moduleId);
    int OpenInput();
    int OpenStream();
    void PushInput(const std::uint8_t* bytes, std::size_t count);
    void EndInput();
    int DecodeFrame();
    void SetErrorCallback(MpegErrorCallback callback, void* userData);

    const MpegOutputBuffer& OutputBuffer() const { return m_output; }
    const MpegStreamStats& Stats() const { return m_stats; }

private:
    int Fail(int code, const char* text);
    void CloseInput();
    std::size_t ReadInput(std::uint8_t* buffer, std::size_t size);
    bool IsInfoFrame(const MpegFrameHeader& header, const std::uint8_t* frame, int size) const;
    void Publish(const MpegFrameHeader& header, int frameBytes);
    void ResetStream();

    std::vector<MpegInputModule> m_modules;
    int m_inputModule = -1;
    std::string m_inputName;
    void* m_inputInstance = nullptr;
    bool m_inputOpen = false;
    bool m_streamInput = false; // bytes are pushed, not read through a module
    MpegErrorCallback m_errorCallback = nullptr;
    void* m_errorUserData = nullptr;

    std::unique_ptr<MpegFrameReader> m_reader;
    MpegFrameDecoder m_frameDecoder;
    std::vector<std::int16_t> m_pcm;
    MpegOutputBuffer m_output;
    MpegStreamStats m_stats;
};

// Creates a decoder; kMpegErrorOutOfMemory when memory runs out.
int MpegDecoderCreate(std::unique_ptr<MpegDecoder>* decoder);
// Registers an input module; returns its id (0, 1, 2, ... in order) or a negative code.
int MpegDecoderRegisterInputModule(MpegDecoder& decoder, const MpegInputModule& module);
// Creates the input for `name` with module `moduleId`, or with the first registered module
// that accepts the name when `moduleId` is -1.
int MpegDecoderAttachInput(MpegDecoder& decoder, const char* name, int moduleId);
// Opens the attached input and resets the stream state.
int MpegDecoderOpenInput(MpegDecoder& decoder);
// Opens a stream input instead of a module's input (closing any attached one) and resets
// the stream state: the caller hands the bytes over as they arrive with
// MpegDecoderPushInput, and MpegDecoderDecodeFrame answers kMpegNeedMoreInput until the
// next frame is settled by the bytes pushed so far. After MpegDecoderEndInput the bytes
// left are decoded as the end of the stream. The frames found are the same as for the
// whole stream read through an input module, however the bytes are cut into pieces.
int MpegDecoderOpenStream(MpegDecoder& decoder);
void MpegDecoderPushInput(MpegDecoder& decoder, const std::uint8_t* bytes, std::size_t count);
void MpegDecoderEndInput(MpegDecoder& decoder);
// Decodes the next frame into the output buffer: 0, kMpegErrorInvalidFrame (skipped, go
// on), kMpegErrorEndOfInput, kMpegNeedMoreInput (stream input only), or kMpegErrorInternal
// when no input is open.
int MpegDecoderDecodeFrame(MpegDecoder& decoder);
void MpegDecoderSetErrorCallback(MpegDecoder& decoder, MpegErrorCallback callback, void* userData);
