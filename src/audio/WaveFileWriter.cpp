#include "audio/WaveFileWriter.h"

#include "platform/SafeFileWriter.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutId(std::vector<std::uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(id[i]));
    }
}

} // namespace

std::vector<std::uint8_t> WaveFileWriter::Build(const WaveFormat& format,
                                                std::span<const std::uint8_t> samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = dataSize & 1u;
    std::vector<std::uint8_t> out;
    out.reserve(44 + samples.size() + pad);
    PutId(out, "RIFF");
    Put32(out, 4 + 8 + 16 + 8 + dataSize + pad);
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    Put32(out, 16);
    Put16(out, format.formatTag);
    Put16(out, format.channels);
    Put32(out, format.samplesPerSec);
    Put32(out, format.avgBytesPerSec);
    Put16(out, format.blockAlign);
    Put16(out, format.bitsPerSample);
    PutId(out, "data");
    Put32(out, dataSize);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad != 0) {
        out.push_back(0);
    }
    return out;
}

bool WaveFileWriter::Write(const std::string& path, const WaveFormat& format,
                           std::span<const std::uint8_t> samples, std::string* error) {
    const std::vector<std::uint8_t> bytes = Build(format, samples);
    return SafeFileWriter::Write(path, bytes, error);
}
