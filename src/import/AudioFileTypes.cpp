#include "import/AudioFileTypes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace audio_file_types {
namespace {

constexpr std::array<std::string_view, 3> kMpegExtensions{"mp1", "mp2", "mpa"};
constexpr std::array<std::string_view, 18> kMediaExtensions{
    "flac", "ogg", "oga",  "opus", "webm", "m4a", "m4b", "aac", "mp4",
    "wma",  "aif", "aiff", "aifc", "mkv",  "mka", "avi", "mov", "m4v"};

// The text after the file name's last dot, in lower case; empty when the name has none.
std::string Extension(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    std::string ext(path.substr(dot + 1));
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext;
}

template <size_t N>
bool Contains(const std::array<std::string_view, N>& list, const std::string& ext) {
    return !ext.empty() && std::find(list.begin(), list.end(), ext) != list.end();
}

} // namespace

bool IsMpegAudio(std::string_view path) {
    return Contains(kMpegExtensions, Extension(path));
}

bool IsMedia(std::string_view path) {
    return Contains(kMediaExtensions, Extension(path));
}

std::string DialogFilterEntry() {
    std::string patterns;
    for (std::string_view ext : kMediaExtensions) {
        patterns += (patterns.empty() ? "*." : ";*.") + std::string(ext);
    }
    for (std::string_view ext : kMpegExtensions) {
        patterns += ";*." + std::string(ext);
    }
    return "Audio and video files|" + patterns + "|";
}

} // namespace audio_file_types
