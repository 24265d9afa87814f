#include "import/CAudioImport.h"

#include "document/CEarlarkDoc.h"
#include "import/AudioFileTypes.h"
#include "import/ImportMessages.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"
#include "platform/WaitWindow.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

std::string ToLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace

CAudioImport::CAudioImport(CEarlarkDoc& doc, SettingsStore& settings, Prompts& prompts,
                           WaitWindow& wait, ConversionBackend backend)
    : m_doc(doc), m_settings(settings), m_prompts(prompts), m_wait(&wait),
      m_backend(std::move(backend)) {}

// A study moved with its audio: the audio of the study's name, with the source's
// extension, beside the study file.
bool CAudioImport::LocateBesideStudy(std::string& source) {
    const std::string& study = m_doc.GetPathName();
    size_t studyDot = study.rfind('.');
    size_t sourceDot = source.rfind('.');
    if (study.empty() || studyDot == std::string::npos || sourceDot == std::string::npos) {
        return false;
    }
    std::string candidate = study.substr(0, studyDot) + source.substr(sourceDot);
    if (!Exists(candidate)) {
        return false;
    }
    source = candidate;
    m_doc.m_strAudioPath = candidate;
    m_doc.SetModifiedFlag();
    return true;
}

int CAudioImport::PrepareAudioSource(const std::string& sourcePath, std::string& playPath) {
    playPath.clear();
    if (sourcePath.empty()) {
        return kNoPath;
    }
    std::string source = sourcePath;
    if (!Exists(source) && !LocateBesideStudy(source)) {
        return kNotFound;
    }
    // File names tell cases apart here: the path is kept as given and only the extension
    // tests look at it in lower case; the cache matches the exact path.
    const bool cached = !m_recentConverted.empty() && source == m_recentConverted;
    const std::string lower = ToLower(source);
    Kind kind;
    if (lower.find(".wav") != std::string::npos) {
        if (m_backend.probeWave(source) != 1) {
            playPath = source;
            return kDone;
        }
        kind = Kind::CompressedWave;
    } else if (lower.find(".mp3") != std::string::npos) {
        kind = Kind::Mpeg;
    } else if (lower.find(".ekw") != std::string::npos) {
        playPath = source;
        return kDone;
    } else if (audio_file_types::IsMpegAudio(source)) {
        kind = Kind::Mpeg;
    } else if (audio_file_types::IsMedia(source)) {
        kind = Kind::Media;
    } else {
        return kDone;
    }
    if (!cached) {
        if (!RunConversion(source, kind)) {
            return kConversionFailed;
        }
        m_recentConverted = source;
        settings::kRecentConverted.Write(m_settings, source);
    }
    playPath = m_convertedPath;
    return kDone;
}

bool CAudioImport::RunConversion(const std::string& source, Kind kind) {
    // The converted file is about to be overwritten: until this conversion succeeds it
    // holds no source's audio, so no cache entry may name one.
    m_recentConverted.clear();
    settings::kRecentConverted.Write(m_settings, "");

    // The per-user cache folder may have been cleaned away since start-up.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_convertedPath).parent_path(), ec);

    m_cancelled = false;
    m_wait->Show(import_messages::kPleaseWait);
    const bool ok = Convert(source, kind);
    m_wait->Close();
    if (m_cancelled) {
        // What was written is a part of the source: it must not be played as the whole.
        std::filesystem::remove(m_convertedPath, ec);
    } else if (!ok) {
        m_prompts.ShowMessage(import_messages::kConversionFailed);
    }
    return ok;
}

bool CAudioImport::Convert(const std::string& source, Kind kind) {
    switch (kind) {
    case Kind::Mpeg:
        return m_backend.decodeMpeg(source, m_convertedPath);
    case Kind::Media: {
        const auto progress = [this](int percent) { return m_wait->Progress(percent); };
        const auto result = m_backend.decodeMedia(source, m_convertedPath, progress);
        m_cancelled = result == FfmpegAudioDecoder::Result::Cancelled;
        return result == FfmpegAudioDecoder::Result::Done;
    }
    case Kind::CompressedWave:
        break;
    }
    return m_backend.convertWave(source, m_convertedPath);
}
