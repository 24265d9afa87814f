#include "view/SubtitleCommands.h"

#include "document/CEarlarkDoc.h"
#include "document/StudyMessages.h"
#include "document/SubtitleFile.h"
#include "document/SubtitleSentences.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ListModeCommands.h"
#include "view/ViewCommandIds.h"

#include <fstream>
#include <iterator>

namespace {

constexpr const char* kFilter =
    "Subtitle files (*.srt,*.vtt,*.lrc)|*.srt;*.vtt;*.lrc|SubRip (*.srt)|*.srt|"
    "WebVTT (*.vtt)|*.vtt|Lyrics (*.lrc)|*.lrc||";

std::string CannotImport(const std::string& reason) {
    return "Cannot import the subtitles.\n\n" + reason;
}

SubtitleFile::Format FormatOf(const std::string& path) {
    // An unknown extension writes SubRip, the format most players read.
    return SubtitleFile::Detect(path, u"");
}

} // namespace

void SubtitleCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kImportSubtitles, [this] { Import(); });
    commands.Add(cmd::kExportSubtitles, [this] { Export(); });
}

std::string SubtitleCommands::ReplaceQuestion(int cues, int sentences) {
    return "The " + std::to_string(cues) + " subtitles replace all " + std::to_string(sentences) +
           " sentences of this study.\n\nDo you want to continue?";
}

bool SubtitleCommands::Prepare() {
    m_view.Playback().Stop();
    m_view.EndRangePlay();
    if (!m_view.AudioReady()) {
        return false;
    }
    m_view.CommitCurrentSentence();
    return true;
}

void SubtitleCommands::Import() {
    if (!Prepare()) {
        return;
    }
    const ViewPorts& ports = m_view.Ports();
    FileDialogRequest request;
    request.title = "Import Subtitles";
    request.filter = kFilter;
    request.defaultExtension = "srt";
    request.initialPath = m_view.Doc().GetPathName();
    request.mustExist = true;
    const auto path = ports.fileDialogs.GetOpenFileName(request);
    if (!path) {
        return;
    }
    std::ifstream in(*path, std::ios::binary);
    if (!in) {
        ports.prompts.ShowMessage(CannotImport("The file cannot be read."), PromptIcon::Warning);
        return;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CEarlarkDoc& doc = m_view.Doc();
    const SubtitleParse parse = SubtitleFile::Read(*path, bytes, doc.m_nCharSet);
    if (!parse.Ok()) {
        ports.prompts.ShowMessage(CannotImport(parse.error), PromptIcon::Warning);
        return;
    }
    const WaveFormat& format = doc.m_player.Format();
    const std::uint32_t dataSize = doc.m_player.DataSize();
    const auto plan =
        SubtitleSentences::Make(parse.cues, format.avgBytesPerSec, format.blockAlign, dataSize);
    if (plan.ranges.empty()) {
        ports.prompts.ShowMessage(CannotImport("No subtitle starts within the recording."),
                                  PromptIcon::Warning);
        return;
    }
    if (plan.truncated) {
        ports.prompts.ShowMessage(study_messages::kSentenceLimit, PromptIcon::Warning);
    }
    const int count = static_cast<int>(plan.ranges.size());
    if (ports.prompts.AskYesNo(ReplaceQuestion(count, doc.m_sections.GetSize())) !=
        PromptAnswer::Yes) {
        return;
    }
    // The rows point at the records about to go.
    m_view.ClearSentenceList();
    SubtitleSentences::Replace(doc.m_sections, plan, true, dataSize);
    doc.m_nCurSentence = 0;
    doc.SetModifiedFlag();
    m_view.ListModes().ShowAll();
}

void SubtitleCommands::Export() {
    if (!Prepare()) {
        return;
    }
    const ViewPorts& ports = m_view.Ports();
    FileDialogRequest request;
    request.title = "Export Subtitles";
    request.filter = kFilter;
    request.defaultExtension = "srt";
    request.initialPath = m_view.Doc().GetPathName();
    const auto path = ports.fileDialogs.GetSaveFileName(request);
    if (!path) {
        return;
    }
    std::vector<SubtitleFile::Entry> entries;
    const SentenceRows& rows = m_view.State().rows;
    for (int i = 0; i < rows.Count(); ++i) {
        const CEarlarkWaveSection& s = *rows.At(i);
        entries.push_back({s.m_nStart, s.m_nEnd, s.m_strListenWrite});
    }
    const std::string text = SubtitleFile::Write(FormatOf(*path), entries,
                                                 m_view.Doc().m_player.Format().avgBytesPerSec);
    std::ofstream out(*path, std::ios::binary);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush()) {
        ports.prompts.ShowMessage("Cannot export the subtitles.\n\nThe file cannot be written.",
                                  PromptIcon::Warning);
    }
}
