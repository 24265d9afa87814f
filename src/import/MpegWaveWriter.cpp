#include "import/MpegWaveWriter.h"

#include "import/Pcm16ChannelMix.h"

#include <cstring>

namespace {

void Put16(std::uint8_t* p, std::uint32_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t value) {
    Put16(p, value & 0xFFFF);
    Put16(p + 2, value >> 16);
}

} // namespace

MpegWaveWriter::~MpegWaveWriter() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool MpegWaveWriter::Create(const std::string& path) {
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr) {
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16);
    return WriteHeader();
}

bool MpegWaveWriter::WriteHeader() {
    std::uint8_t h[kHeaderBytes];
    const std::uint32_t blockAlign = m_format.channels * (m_format.bitsPerSample / 8u);
    std::memcpy(h, "RIFF", 4);
    Put32(h + 4, m_dataBytes + 36);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    Put32(h + 16, 16);
    Put16(h + 20, 1);
    Put16(h + 22, m_format.channels);
    Put32(h + 24, m_format.sampleRate);
    Put32(h + 28, m_format.sampleRate * blockAlign);
    Put16(h + 32, blockAlign);
    Put16(h + 34, m_format.bitsPerSample);
    std::memcpy(h + 36, "data", 4);
    Put32(h + 40, m_dataBytes);
    return std::fseek(m_file, 0, SEEK_SET) == 0 && std::fwrite(h, 1, sizeof h, m_file) == sizeof h;
}

bool MpegWaveWriter::AppendFrame(const std::uint8_t* samples, std::uint32_t bytes, int channels,
                                 int sampleRate) {
    if (!m_haveFormat) {
        m_format.channels = static_cast<std::uint16_t>(channels);
        m_format.sampleRate = static_cast<std::uint32_t>(sampleRate);
        m_format.bitsPerSample = 16;
        m_haveFormat = true;
        if (!WriteHeader()) {
            return false;
        }
    }
    if (channels != m_format.channels) {
        MixPcm16Channels(samples, bytes, channels, m_format.channels, m_converted);
        samples = m_converted.data();
        bytes = static_cast<std::uint32_t>(m_converted.size());
    }
    if (static_cast<std::uint64_t>(m_dataBytes) + bytes + 36 > 0xFFFFFFFFu) {
        // A RIFF file cannot say more: later frames are left out rather than wrapping the
        // sizes in the header round.
        m_full = true;
        return true;
    }
    if (std::fwrite(samples, 1, bytes, m_file) != bytes) {
        return false;
    }
    m_dataBytes += bytes;
    return true;
}

bool MpegWaveWriter::Finish() {
    const bool ok = WriteHeader();
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok && closed;
}
