#pragma once

// Fixed texts of audio import.
namespace import_messages {
inline constexpr const char* kPleaseWait = "Please wait while we convert the file.";
inline constexpr const char* kConversionFailed = "PCM Wave file convertion has failed.";
inline constexpr const char* kCannotOpenAudio =
    "Earlark cannot open this audio file.\n\nPlease make sure the file is not corrupted.";
inline constexpr const char* kNoAudioFile =
    "An audio file is not specified.\n\nDo you want to choose an audio file?";
} // namespace import_messages
