#pragma once

#include <functional>
#include <string>

// Decodes the audio of any file FFmpeg's libraries read (FLAC, Ogg, Opus, AAC/M4A, WMA,
// AIFF, the first audio stream of a video file) into a 16-bit PCM wave file. The rate is
// kept up to 48 kHz and brought down to 48 kHz above it; more than two channels are mixed
// down to stereo. A file that breaks off is kept as far as it decodes.
class FfmpegAudioDecoder {
public:
    enum class Result { Done, Failed, Cancelled };
    static constexpr int kMaxSampleRate = 48000;

    // Told the share of the source read so far (0 to 100); returns false to cancel.
    using Progress = std::function<bool(int percent)>;

    // On failure, error gets one line that says why (the source cannot be read, it has no
    // audio stream, no frame decodes, the target cannot be written).
    static Result Decode(const std::string& source, const std::string& target,
                         const Progress& progress, std::string* error = nullptr);
};
