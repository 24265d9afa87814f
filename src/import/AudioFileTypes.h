#pragma once

#include <string>
#include <string_view>

// The file types audio import takes beyond wave files, .mp3 and .ekw, told apart by the
// extension of the file name (case ignored).
namespace audio_file_types {

// .mp1, .mp2, .mpa: MPEG audio, decoded by the program's own decoder like .mp3.
bool IsMpegAudio(std::string_view path);
// Audio and video files decoded through FFmpeg: FLAC, Ogg, Opus, AAC/M4A/M4B, WMA, AIFF,
// MP4, MKV, WebM, AVI, MOV.
bool IsMedia(std::string_view path);
// The open dialog's entry for both: "Audio and video files|*.flac;...|".
std::string DialogFilterEntry();

} // namespace audio_file_types
