#include "export/Mp3ExportSize.h"

#include "audio/CWaveEngine.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr std::uint64_t kMebibyte = 1048576;

// a * b / c rounded to the nearest integer; the callers' products fit in 64 bits.
std::uint64_t MulDiv(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    return c == 0 ? 0 : (a * b + c / 2) / c;
}

} // namespace

namespace mp3size {

std::uint64_t RenderedBytes(const std::vector<PlayItem>& items) {
    std::uint64_t total = 0;
    for (const PlayItem& item : items) {
        const std::uint64_t length = item.end > item.start ? item.end - item.start : 0;
        const int rate = std::clamp(item.rate, CWaveEngine::kMinRate, CWaveEngine::kMaxRate);
        total += MulDiv((item.intervalBytes + length) * item.repetitions, 100,
                        static_cast<std::uint64_t>(rate));
    }
    return total;
}

std::uint64_t EncodedBytes(std::uint64_t waveBytes, int bitRate, const WaveFormat& format) {
    const auto bytesPerSecond = static_cast<std::uint64_t>(std::max(bitRate, 0) / 8 * 1000);
    return MulDiv(waveBytes, bytesPerSecond, format.avgBytesPerSec);
}

std::uint64_t RequiredBytes(std::uint64_t estimate) {
    return estimate * 3 / 2;
}

bool HasSpaceFor(const std::string& path, std::uint64_t required) {
    // A folder that does not exist yet is on the file system of the nearest one that does;
    // making the file there fails later with its own message.
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(path, error).parent_path();
    while (!std::filesystem::is_directory(folder, error) && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    const std::filesystem::space_info space = std::filesystem::space(folder, error);
    if (error) {
        return false;
    }
    return space.available / kMebibyte > required / kMebibyte;
}

} // namespace mp3size
