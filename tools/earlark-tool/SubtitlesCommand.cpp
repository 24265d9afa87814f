// earlark-tool subtitles import|export: SRT, WebVTT and LRC files as sentences of a study,
// timed at the byte rate of the audio the study plays (the converted file when its audio
// needs converting).
#include "ToolCommands.h"

#include "document/CEarlarkDoc.h"
#include "document/StudyMessages.h"
#include "document/SubtitleFile.h"
#include "document/SubtitleSentences.h"
#include "import/CAudioImport.h"
#include "import/DefaultConversionBackend.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "platform/WaitWindow.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>

namespace {

struct StudyAudioFormat {
    WaveFormat format;
    std::uint32_t dataSize = 0;
};

// The format and data size of the audio the study plays; converts into a scratch file that
// is removed again when the audio needs converting.
std::optional<StudyAudioFormat> ReadAudioFormat(CEarlarkDoc& doc, std::string& error) {
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    SilentWaitWindow wait;
    CAudioImport import(doc, settings, prompts, wait, DefaultConversionBackend(doc.m_player));
    const auto scratch = std::filesystem::temp_directory_path() /
                         ("earlark-subtitles-" + std::to_string(std::random_device()()) + ".wav");
    import.SetConvertedPath(scratch.string());
    const std::string audio = doc.GetAudioPath();
    std::string playPath;
    const int prepared = import.PrepareAudioSource(audio, playPath);
    std::optional<StudyAudioFormat> result;
    if (prepared == CAudioImport::kDone && doc.m_player.OpenWaveFile(playPath) == 0) {
        result = StudyAudioFormat{doc.m_player.Format(), doc.m_player.DataSize()};
    }
    doc.m_player.CloseWaveFile();
    std::error_code ec;
    std::filesystem::remove(scratch, ec);
    if (!result || result->format.avgBytesPerSec == 0) {
        error = "cannot open the study's audio " + (audio.empty() ? "(none)" : audio);
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool OpenStudy(CEarlarkDoc& doc, const std::string& path) {
    if (doc.OnOpenDocument(path)) {
        return true;
    }
    ToolError(study_messages::FileFailureOneLine(path));
    return false;
}

int Import(const ToolArgs& args) {
    const char* usage = "usage: subtitles import STUDY IN OUT.ekd [--original|--transcription]";
    if (args.size() < 3 || args.size() > 4 ||
        (args.size() == 4 && args[3] != "--original" && args[3] != "--transcription")) {
        return ToolError(usage);
    }
    const bool original = args.size() == 3 || args[3] == "--original";
    CEarlarkDoc doc;
    ScriptedPrompts prompts;
    doc.SetPrompts(&prompts);
    if (!OpenStudy(doc, args[0])) {
        return 1;
    }
    const auto bytes = ReadBytes(args[1]);
    if (!bytes) {
        return ToolError("cannot read " + args[1]);
    }
    const SubtitleParse parse = SubtitleFile::Read(args[1], *bytes, doc.m_nCharSet);
    if (!parse.Ok()) {
        return ToolError(args[1] + ": " + parse.error);
    }
    std::string error;
    const auto audio = ReadAudioFormat(doc, error);
    if (!audio) {
        return ToolError(error);
    }
    const auto plan = SubtitleSentences::Make(parse.cues, audio->format.avgBytesPerSec,
                                              audio->format.blockAlign, audio->dataSize);
    if (plan.ranges.empty()) {
        return ToolError(args[1] + ": no cue starts within the recording");
    }
    if (plan.truncated) {
        std::cerr << study_messages::kSentenceLimit << '\n';
    }
    SubtitleSentences::Replace(doc.m_sections, plan, original, audio->dataSize);
    doc.SetModifiedFlag();
    if (!doc.OnSaveDocument(args[2])) {
        return ToolError(study_messages::FileFailureOneLine(args[2]));
    }
    return 0;
}

int Export(const ToolArgs& args) {
    const char* usage = "usage: subtitles export STUDY OUT (--srt|--vtt|--lrc) [--original]";
    std::optional<SubtitleFile::Format> format;
    bool original = false;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--original" && !original) {
            original = true;
        } else if (!format && (option == "--srt" || option == "--vtt" || option == "--lrc")) {
            format = option == "--srt"   ? SubtitleFile::Format::Srt
                     : option == "--vtt" ? SubtitleFile::Format::WebVtt
                                         : SubtitleFile::Format::Lrc;
        } else {
            return ToolError(usage);
        }
    }
    if (args.size() < 3 || !format) {
        return ToolError(usage);
    }
    CEarlarkDoc doc;
    if (!OpenStudy(doc, args[0])) {
        return 1;
    }
    std::string error;
    const auto audio = ReadAudioFormat(doc, error);
    if (!audio) {
        return ToolError(error);
    }
    std::vector<SubtitleFile::Entry> entries;
    for (int i = 0; i < doc.m_sections.GetSize(); ++i) {
        const CEarlarkWaveSection& s = *doc.m_sections.GetAt(i);
        entries.push_back({s.m_nStart, s.m_nEnd, original ? s.m_strOriginal : s.m_strListenWrite});
    }
    const std::string text = SubtitleFile::Write(*format, entries, audio->format.avgBytesPerSec);
    std::ofstream out(args[1], std::ios::binary);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush()) {
        return ToolError("cannot write " + args[1]);
    }
    return 0;
}

} // namespace

int RunSubtitlesCommand(const ToolArgs& args) {
    if (!args.empty() && args[0] == "import") {
        return Import(ToolArgs(args.begin() + 1, args.end()));
    }
    if (!args.empty() && args[0] == "export") {
        return Export(ToolArgs(args.begin() + 1, args.end()));
    }
    return ToolError("usage: subtitles import|export ...");
}
