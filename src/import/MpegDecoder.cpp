#include "import/MpegDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

// A Xing or Info tag sits where a layer III frame's main data would start; a VBRI tag 32
// bytes after the header.
bool HasTag(const std::uint8_t* frame, int size, int offset, const char* tag) {
    return offset + 4 <= size && std::memcmp(frame + offset, tag, 4) == 0;
}

} // namespace

MpegDecoder::MpegDecoder() : m_pcm(1152 * 2) {}

MpegDecoder::~MpegDecoder() {
    CloseInput();
}

void MpegDecoder::SetErrorCallback(MpegErrorCallback callback, void* userData) {
    m_errorCallback = callback;
    m_errorUserData = userData;
}

int MpegDecoder::Fail(int code, const char* text) {
    if (m_errorCallback != nullptr) {
        m_errorCallback(m_errorUserData, code, text);
    }
    return code;
}

int MpegDecoder::RegisterInputModule(const MpegInputModule& module) {
    if (module.newInstance == nullptr) {
        return Fail(kMpegErrorInternal, "null 'new' method in module");
    }
    if (module.open == nullptr) {
        return Fail(kMpegErrorInternal, "null 'open' method in module");
    }
    if (module.close == nullptr) {
        return Fail(kMpegErrorInternal, "null 'close' method in module");
    }
    if (module.read == nullptr) {
        return Fail(kMpegErrorInternal, "null 'read' method in module");
    }
    m_modules.push_back(module);
    return static_cast<int>(m_modules.size()) - 1;
}

void MpegDecoder::CloseInput() {
    m_streamInput = false;
    if (m_inputInstance == nullptr) {
        return;
    }
    const MpegInputModule& module = m_modules[static_cast<std::size_t>(m_inputModule)];
    if (m_inputOpen) {
        module.close(m_inputInstance);
    }
    if (module.deleteInstance != nullptr) {
        module.deleteInstance(m_inputInstance);
    }
    m_inputInstance = nullptr;
    m_inputOpen = false;
    m_inputModule = -1;
    m_inputName.clear();
}

int MpegDecoder::AttachInput(const std::string& name, int moduleId) {
    if (moduleId < -1 || moduleId >= static_cast<int>(m_modules.size())) {
        return Fail(kMpegErrorNoSuchModule, "no such input module");
    }
    if (moduleId == -1) {
        for (std::size_t i = 0; i < m_modules.size(); ++i) {
            const auto accept = m_modules[i].acceptName;
            if (accept == nullptr || accept(name.c_str()) >= 0) {
                moduleId = static_cast<int>(i);
                break;
            }
        }
        if (moduleId == -1) {
            return Fail(kMpegErrorNoModuleAccepts, "no input module accepts this name");
        }
    }
    if (m_inputInstance != nullptr && moduleId == m_inputModule && name == m_inputName) {
        return kMpegSuccess;
    }
    CloseInput();
    void* instance = nullptr;
    const int result =
        m_modules[static_cast<std::size_t>(moduleId)].newInstance(&instance, name.c_str());
    if (result < 0) {
        return Fail(result, "null params or null/empty input name");
    }
    m_inputInstance = instance;
    m_inputModule = moduleId;
    m_inputName = name;
    return kMpegSuccess;
}

std::size_t MpegDecoder::ReadInput(std::uint8_t* buffer, std::size_t size) {
    const MpegInputModule& module = m_modules[static_cast<std::size_t>(m_inputModule)];
    return std::min(module.read(m_inputInstance, buffer, size), size);
}

int MpegDecoder::OpenInput() {
    if (m_inputInstance == nullptr) {
        return Fail(kMpegErrorInternal, "no input");
    }
    const MpegInputModule& module = m_modules[static_cast<std::size_t>(m_inputModule)];
    if (m_inputOpen) {
        module.close(m_inputInstance);
        m_inputOpen = false;
    }
    const int result = module.open(m_inputInstance);
    if (result < 0) {
        return Fail(result, "cannot open input file");
    }
    m_inputOpen = true;
    m_streamInput = false;
    m_reader = std::make_unique<MpegFrameReader>(
        [this](std::uint8_t* buffer, std::size_t size) { return ReadInput(buffer, size); });
    ResetStream();
    return kMpegSuccess;
}

int MpegDecoder::OpenStream() {
    CloseInput();
    m_streamInput = true;
    m_reader = std::make_unique<MpegFrameReader>();
    ResetStream();
    return kMpegSuccess;
}

void MpegDecoder::PushInput(const std::uint8_t* bytes, std::size_t count) {
    if (m_streamInput && bytes != nullptr) {
        m_reader->Push(bytes, count);
    }
}

void MpegDecoder::EndInput() {
    if (m_streamInput) {
        m_reader->EndInput();
    }
}

void MpegDecoder::ResetStream() {
    m_frameDecoder.Reset();
    m_output = MpegOutputBuffer{};
    m_stats = MpegStreamStats{};
}

bool MpegDecoder::IsInfoFrame(const MpegFrameHeader& header, const std::uint8_t* frame,
                              int size) const {
    if (header.layer != 3) {
        return false;
    }
    const int sideStart = 4 + (header.crc ? 2 : 0);
    const int tagOffset = sideStart + header.SideInfoBytes();
    return HasTag(frame, size, tagOffset, "Xing") || HasTag(frame, size, tagOffset, "Info") ||
           HasTag(frame, size, 36, "VBRI");
}

void MpegDecoder::Publish(const MpegFrameHeader& header, int frameBytes) {
    const std::int32_t stereo = header.Channels() == 2 ? 1 : 0;
    const std::int32_t rate = header.SampleRate();
    m_output.changeFlags = 0;
    if (m_output.stereo != stereo) {
        m_output.changeFlags |= kMpegChangedStereo;
    }
    if (m_output.sampleRate != rate) {
        m_output.changeFlags |= kMpegChangedSampleRate;
    }
    if (m_stats.framesDecoded == 0) {
        m_output.changeFlags |= kMpegChangedBytesPerSample;
        m_stats.layer = header.layer;
        m_stats.version = header.VersionName();
        m_stats.sampleRate = rate;
        m_stats.channels = header.Channels();
    }
    m_output.samples = reinterpret_cast<const std::uint8_t*>(m_pcm.data());
    m_output.size = static_cast<std::uint32_t>(header.SamplesPerFrame() * header.Channels() * 2);
    m_output.bytesPerSample = 2;
    m_output.stereo = stereo;
    m_output.sampleRate = rate;

    const int bitrate = header.FreeFormat()
                            ? static_cast<int>(static_cast<long long>(frameBytes) * 8 * rate /
                                               header.SamplesPerFrame() / 1000)
                            : header.Bitrate();
    if (m_stats.framesDecoded == 0 || bitrate < m_stats.minBitrate) {
        m_stats.minBitrate = bitrate;
    }
    m_stats.maxBitrate = std::max(m_stats.maxBitrate, bitrate);
    ++m_stats.framesDecoded;
}

int MpegDecoder::DecodeFrame() {
    if ((!m_inputOpen && !m_streamInput) || m_reader == nullptr) {
        return Fail(kMpegErrorInternal, "input not open");
    }
    MpegFrameHeader header;
    const std::uint8_t* frame = nullptr;
    int size = 0;
    for (;;) {
        const MpegFrameReader::Status status = m_reader->Read(header, frame, size);
        if (status != MpegFrameReader::Status::kFrame) {
            m_stats.junkBytes = m_reader->SkippedBytes();
            return status == MpegFrameReader::Status::kNeedInput ? kMpegNeedMoreInput
                                                                 : kMpegErrorEndOfInput;
        }
        m_stats.junkBytes = m_reader->SkippedBytes();
        if (m_stats.framesDecoded + m_stats.framesSkipped == 0 && !m_stats.infoFrame &&
            IsInfoFrame(header, frame, size)) {
            m_stats.infoFrame = true;
            continue;
        }
        break;
    }
    const auto result = m_frameDecoder.Decode(header, frame, size, m_pcm.data());
    if (result != MpegFrameDecoder::Result::kDecoded) {
        ++m_stats.framesSkipped;
        return kMpegErrorInvalidFrame;
    }
    // Samples are kept in host order; make them little-endian on big-endian hosts.
    if constexpr (std::endian::native == std::endian::big) {
        for (std::int16_t& s : m_pcm) {
            const auto u = static_cast<std::uint16_t>(s);
            s = static_cast<std::int16_t>((u >> 8) | (u << 8));
        }
    }
    Publish(header, size);
    return kMpegSuccess;
}

int MpegDecoderCreate(std::unique_ptr<MpegDecoder>* decoder) {
    if (decoder == nullptr) {
        return kMpegErrorInvalidParameters;
    }
    try {
        *decoder = std::make_unique<MpegDecoder>();
    } catch (const std::bad_alloc&) {
        return kMpegErrorOutOfMemory;
    }
    return kMpegSuccess;
}

int MpegDecoderRegisterInputModule(MpegDecoder& decoder, const MpegInputModule& module) {
    return decoder.RegisterInputModule(module);
}

int MpegDecoderAttachInput(MpegDecoder& decoder, const char* name, int moduleId) {
    return decoder.AttachInput(name == nullptr ? std::string() : std::string(name), moduleId);
}

int MpegDecoderOpenInput(MpegDecoder& decoder) {
    return decoder.OpenInput();
}

int MpegDecoderOpenStream(MpegDecoder& decoder) {
    return decoder.OpenStream();
}

void MpegDecoderPushInput(MpegDecoder& decoder, const std::uint8_t* bytes, std::size_t count) {
    decoder.PushInput(bytes, count);
}

void MpegDecoderEndInput(MpegDecoder& decoder) {
    decoder.EndInput();
}

int MpegDecoderDecodeFrame(MpegDecoder& decoder) {
    return decoder.DecodeFrame();
}

void MpegDecoderSetErrorCallback(MpegDecoder& decoder, MpegErrorCallback callback, void* userData) {
    decoder.SetErrorCallback(callback, userData);
}
