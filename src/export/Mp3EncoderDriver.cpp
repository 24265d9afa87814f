#include "export/Mp3EncoderDriver.h"

#include "platform/Prompts.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>

namespace cfg = blade::config;

namespace {

constexpr const char* kMemoryMessage = "MP3 인코딩을 위한 메모리를 충분히 할당할 수 없습니다.";

void PutField(std::array<std::uint8_t, cfg::kSize>& record, std::size_t offset,
              std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

template <typename Function>
bool Resolve(const DynamicLibrary& library, const char* name, Function& out) {
    out = reinterpret_cast<Function>(library.Symbol(name));
    return out != nullptr;
}

} // namespace

Mp3EncoderDriver::Mp3EncoderDriver(std::string libraryPath, Prompts* prompts)
    : m_libraryPath(std::move(libraryPath)), m_prompts(prompts) {}

Mp3EncoderDriver::~Mp3EncoderDriver() {
    if (IsStreamOpen()) {
        m_entry.close(m_stream);
        std::fclose(m_file);
    }
}

std::string Mp3EncoderDriver::LibraryFileName() {
    return DynamicLibrary::FileName("TesselConv");
}

std::string Mp3EncoderDriver::InstalledLibraryPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string folder = error ? std::string(".") : program.parent_path().string();
    return folder + "/" + LibraryFileName();
}

bool Mp3EncoderDriver::WriteEncoderLibrary() {
    if (IsStreamOpen()) {
        return true;
    }
    const bool loads = LoadLibrary();
    m_library.Unload();
    return loads;
}

std::array<std::uint8_t, cfg::kSize> Mp3EncoderDriver::MakeConfig(int bitRate,
                                                                  const WaveFormat& format) {
    std::array<std::uint8_t, cfg::kSize> record{};
    PutField(record, cfg::kKind, cfg::kKindLame);
    PutField(record, cfg::kStructVersion, cfg::kVersion);
    PutField(record, cfg::kStructSize, cfg::kSize);
    PutField(record, cfg::kSampleRate, format.samplesPerSec);
    PutField(record, cfg::kOutputSampleRate, 0);
    PutField(record, cfg::kMode, format.channels == 1 ? cfg::kModeMono : cfg::kModeStereo);
    PutField(record, cfg::kBitRate, static_cast<std::uint32_t>(bitRate));
    PutField(record, cfg::kOriginal, 1);
    PutField(record, cfg::kNoBitReservoir, 1);
    return record;
}

bool Mp3EncoderDriver::LoadLibrary() {
    if (!m_library.Load(m_libraryPath)) {
        return false;
    }
    const bool complete = Resolve(m_library, "beInitStream", m_entry.init) &&
                          Resolve(m_library, "beEncodeChunk", m_entry.encode) &&
                          Resolve(m_library, "beDeinitStream", m_entry.deinit) &&
                          Resolve(m_library, "beCloseStream", m_entry.close) &&
                          Resolve(m_library, "beWriteVBRHeader", m_entry.writeVbrHeader);
    if (!complete) {
        m_library.Unload();
    }
    return complete;
}

int Mp3EncoderDriver::OpenEncoderStream(int bitRate, const WaveFormat& format) {
    const bool usable = (format.channels == 1 || format.channels == 2) &&
                        (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                        format.samplesPerSec > 0 && bitRate > 0;
    if (IsStreamOpen() || !usable || !LoadLibrary()) {
        return -1;
    }
    m_file = std::fopen(m_outputPath.c_str(), "wb");
    if (m_file == nullptr) {
        m_library.Unload();
        return -1;
    }
    const auto record = MakeConfig(bitRate, format);
    std::uint32_t samplesPerChunk = 0;
    std::uint32_t bufferSize = 0;
    blade::Stream stream = 0;
    if (m_entry.init(record.data(), &samplesPerChunk, &bufferSize, &stream) != blade::kSuccessful) {
        AbandonOpen();
        return -1;
    }
    m_stream = stream;
    m_open = true;
    m_sampleRate = format.samplesPerSec;
    m_channels = format.channels;
    m_bitRate = static_cast<std::uint32_t>(bitRate);
    m_source16Bit = format.bitsPerSample > 8;
    if (!ReserveOutput(kOutputBufferSize)) {
        m_entry.close(m_stream);
        AbandonOpen();
        return -1;
    }
    return 0;
}

// Undoes a half-made open: no library, no stream, no output file.
void Mp3EncoderDriver::AbandonOpen() {
    std::fclose(m_file);
    m_file = nullptr;
    std::remove(m_outputPath.c_str());
    m_stream = 0;
    m_open = false;
    m_library.Unload();
}

bool Mp3EncoderDriver::ReserveOutput(std::size_t bytes) {
    if (m_output.size() >= bytes) {
        return true;
    }
    try {
        m_output.resize(bytes);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int Mp3EncoderDriver::EncodeChunk(const std::uint8_t* data, std::size_t byteCount) {
    if (!IsStreamOpen()) {
        return -1;
    }
    // Wave data is little-endian, as the samples the library takes on this platform.
    const std::size_t count = m_source16Bit ? byteCount / 2 : byteCount;
    const bool aligned = reinterpret_cast<std::uintptr_t>(data) % alignof(std::int16_t) == 0;
    if (m_source16Bit && aligned) {
        return EncodeSamples(reinterpret_cast<const std::int16_t*>(data), count);
    }
    try {
        m_widened.resize(count);
    } catch (const std::bad_alloc&) {
        ShowMemoryMessage();
        return -1;
    }
    if (m_source16Bit) {
        std::memcpy(m_widened.data(), data, count * 2);
        return EncodeSamples(m_widened.data(), count);
    }
    std::transform(data, data + byteCount, m_widened.begin(),
                   [](std::uint8_t b) { return static_cast<std::int16_t>((b - 128) * 256); });
    return EncodeSamples(m_widened.data(), byteCount);
}

// Hands the samples to the library in one call when an output buffer large enough for them
// can be had; otherwise in as many calls as the buffer at hand takes, so nothing is lost.
int Mp3EncoderDriver::EncodeSamples(const std::int16_t* samples, std::size_t count) {
    std::size_t frames = count / m_channels;
    const auto bound = [this](std::size_t n) {
        return blade::OutputBound(n, m_sampleRate, m_bitRate);
    };
    ReserveOutput(std::max(count, bound(frames)));
    std::size_t piece = frames;
    while (piece > 0 && bound(piece) > m_output.size()) {
        piece /= 2;
    }
    if (frames > 0 && piece == 0) {
        ShowMemoryMessage();
        return -1;
    }
    while (frames > 0) {
        const std::size_t now = std::min(piece, frames);
        std::uint32_t bytes = 0;
        if (m_entry.encode(m_stream, static_cast<std::uint32_t>(now * m_channels), samples,
                           m_output.data(), &bytes) != blade::kSuccessful ||
            !WriteOutput(bytes)) {
            return -1;
        }
        samples += now * m_channels;
        frames -= now;
    }
    return 0;
}

void Mp3EncoderDriver::ShowMemoryMessage() {
    if (m_prompts != nullptr) {
        m_prompts->ShowMessage(kMemoryMessage);
    }
}

bool Mp3EncoderDriver::WriteOutput(std::uint32_t bytes) {
    return bytes <= m_output.size() && std::fwrite(m_output.data(), 1, bytes, m_file) == bytes;
}

int Mp3EncoderDriver::CloseEncoderStream() {
    if (!IsStreamOpen()) {
        return -1;
    }
    std::uint32_t bytes = 0;
    const bool flushed = m_entry.deinit(m_stream, m_output.data(), &bytes) == blade::kSuccessful &&
                         WriteOutput(bytes);
    m_entry.close(m_stream);
    // A file whose buffered bytes cannot be written out is as incomplete as a short write.
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (flushed && closed) {
        m_entry.writeVbrHeader(m_outputPath.c_str());
    }
    ReleaseStream();
    return flushed && closed ? 0 : -1;
}

void Mp3EncoderDriver::ReleaseStream() {
    m_stream = 0;
    m_open = false;
    std::vector<std::uint8_t>().swap(m_output);
    std::vector<std::int16_t>().swap(m_widened);
    m_library.Unload();
}
