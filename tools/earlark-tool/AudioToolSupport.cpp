#include "AudioToolSupport.h"

#include "JsonWriter.h"

#include <charconv>

std::optional<std::uint32_t> ParseUInt32(const std::string& text) {
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::string DescribeOpenFailure(const std::string& path, int result) {
    if (result == 1) {
        return path + " needs conversion to 8- or 16-bit PCM before it can be played";
    }
    return path + " is not a readable wave file";
}

void WriteFormatMembers(JsonWriter& json, const WaveFormat& f) {
    json.Key("formatTag").UInt(f.formatTag);
    json.Key("channels").UInt(f.channels);
    json.Key("samplesPerSec").UInt(f.samplesPerSec);
    json.Key("avgBytesPerSec").UInt(f.avgBytesPerSec);
    json.Key("blockAlign").UInt(f.blockAlign);
    json.Key("bitsPerSample").UInt(f.bitsPerSample);
}
