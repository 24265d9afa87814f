#pragma once

#include "import/FfmpegAudioDecoder.h"

#include <functional>
#include <string>

class CEarlarkDoc;
class Prompts;
class SettingsStore;
class WaitWindow;

// The conversions and the probe that audio import relies on; each is replaceable in tests.
struct ConversionBackend {
    // The wave probe: 0 PCM the player can play, 1 needs conversion, -1 unreadable.
    std::function<int(const std::string& path)> probeWave;
    // Compressed wave file to PCM wave file.
    std::function<bool(const std::string& source, const std::string& target)> convertWave;
    // MPEG audio file to PCM wave file.
    std::function<bool(const std::string& source, const std::string& target)> decodeMpeg;
    // Any other audio or video file to PCM wave file, reporting progress as it goes.
    std::function<FfmpegAudioDecoder::Result(const std::string& source, const std::string& target,
                                             const FfmpegAudioDecoder::Progress& progress)>
        decodeMedia;
};

// Decides how a study's audio file is played: as it is (PCM wave, packaged .ekw) or through
// the converted file, which holds the conversion of one source at a time. The source of
// that conversion is remembered across runs, so the same source is not converted twice.
class CAudioImport {
public:
    static constexpr int kDone = 1;
    static constexpr int kNoPath = -1;
    static constexpr int kNotFound = -2;
    static constexpr int kConversionFailed = -3;

    enum class Kind { CompressedWave = 0, Mpeg = 1, Media = 2 };

    CAudioImport(CEarlarkDoc& doc, SettingsStore& settings, Prompts& prompts, WaitWindow& wait,
                 ConversionBackend backend);

    void SetWaitWindow(WaitWindow& wait) { m_wait = &wait; }
    void SetConvertedPath(const std::string& path) { m_convertedPath = path; }
    const std::string& ConvertedPath() const { return m_convertedPath; }
    // The source whose conversion the converted file holds (restored at start-up).
    void SetRecentConvertedSource(const std::string& source) { m_recentConverted = source; }
    const std::string& RecentConvertedSource() const { return m_recentConverted; }
    // Forgets the cached source in memory only, so the next source is converted afresh.
    void ForgetRecentConvertedSource() { m_recentConverted.clear(); }

    // Locates the source (also beside a moved study), converts it when needed and gives the
    // file to play; returns kDone or a negative code.
    int PrepareAudioSource(const std::string& source, std::string& playPath);
    // One conversion into the converted file under the wait window; reports a failure.
    bool RunConversion(const std::string& source, Kind kind);
    // True when the last conversion ended because the user cancelled it (no message was
    // shown and the converted file was removed).
    bool LastConversionCancelled() const { return m_cancelled; }

private:
    bool LocateBesideStudy(std::string& source);
    bool Convert(const std::string& source, Kind kind);

    CEarlarkDoc& m_doc;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    WaitWindow* m_wait;
    ConversionBackend m_backend;
    std::string m_convertedPath;
    std::string m_recentConverted;
    bool m_cancelled = false;
};
