#include "import/WaveSourceDescription.h"

#include "platform/RiffReader.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint32_t kWave = MakeFourCC("WAVE");
constexpr std::uint32_t kFmt = MakeFourCC("fmt ");
constexpr std::uint32_t kData = MakeFourCC("data");
constexpr std::uint32_t kFact = MakeFourCC("fact");

// A format record never needs more than the 18-byte header and 65535 extra bytes.
constexpr std::size_t kMaxFormatBytes = 18 + 65535;

bool Fail(std::string* error, const char* reason) {
    if (error) {
        *error = reason;
    }
    return false;
}

bool ReadFormat(RiffReader& reader, const RiffChunk& chunk, WaveSourceDescription* source) {
    std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(chunk.available, kMaxFormatBytes));
    std::vector<std::uint8_t> bytes(want);
    if (want < 16 || reader.ReadContents(chunk, bytes.data(), want) != want) {
        return false;
    }
    source->format = WaveFormatEx::FromBytes(bytes);
    return true;
}

bool ReadFact(RiffReader& reader, const RiffChunk& chunk, WaveSourceDescription* source) {
    unsigned char value[4];
    if (reader.ReadContents(chunk, value, 4) != 4) {
        return false;
    }
    source->sampleCount =
        value[0] | value[1] << 8 | value[2] << 16 | static_cast<std::uint32_t>(value[3]) << 24;
    return true;
}

} // namespace

bool WaveSourceDescription::IsUncompressed(const WaveFormatEx& format) {
    std::uint16_t tag = format.SampleTag();
    return tag == WaveFormatEx::kPcm || tag == WaveFormatEx::kIeeeFloat;
}

bool WaveSourceDescription::Read(const std::string& path, WaveSourceDescription* source,
                                 std::string* error) {
    *source = WaveSourceDescription{};
    source->path = path;
    RiffReader reader;
    RiffChunk form;
    if (!reader.Open(path)) {
        return Fail(error, "cannot open the source file");
    }
    if (!reader.FindForm(kWave, &form)) {
        return Fail(error, "the source is not a RIFF WAVE file");
    }
    bool haveFormat = false;
    RiffChunk chunk;
    while (reader.Descend(form, &chunk)) {
        // The first chunk of each kind counts; repeated ones are ignored.
        if (chunk.id == kFmt && !haveFormat) {
            if (!ReadFormat(reader, chunk, source)) {
                return Fail(error, "the \"fmt \" chunk is shorter than 16 bytes");
            }
            haveFormat = true;
        } else if (chunk.id == kData && source->dataOffset < 0) {
            source->dataOffset = static_cast<std::int64_t>(chunk.dataOffset);
            source->dataSize = static_cast<std::int64_t>(chunk.available);
        } else if (chunk.id == kFact && source->sampleCount < 0) {
            if (!ReadFact(reader, chunk, source)) {
                return Fail(error, "the \"fact\" chunk is shorter than 4 bytes");
            }
        }
        if (!reader.Ascend(chunk)) {
            break;
        }
    }
    if (!haveFormat) {
        return Fail(error, "the source has no \"fmt \" chunk");
    }
    if (source->dataOffset < 0) {
        return Fail(error, "the source has no \"data\" chunk");
    }
    if (source->sampleCount < 0) {
        if (!IsUncompressed(source->format)) {
            return Fail(error, "the compressed source has no \"fact\" chunk");
        }
        if (source->format.blockAlign == 0) {
            return Fail(error, "the source's block alignment is 0");
        }
        source->sampleCount = source->dataSize / source->format.blockAlign;
    }
    return true;
}
