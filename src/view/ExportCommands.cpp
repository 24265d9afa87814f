#include "view/ExportCommands.h"

#include "audio/SentencePadding.h"
#include "document/CEarlarkDoc.h"
#include "export/ExportMessages.h"
#include "export/Mp3EncoderDriver.h"
#include "export/Mp3Export.h"
#include "export/Mp3ExportChoices.h"
#include "export/Mp3ExportList.h"
#include "export/Mp3FileNames.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ExportProgressWindow.h"
#include "view/FragmentCommands.h"
#include "view/ViewCommandIds.h"

#include <filesystem>

void ExportCommands::Register(CommandMap& commands) {
    for (int id : {cmd::kExportMp3, cmd::kExportMp3Button}) {
        commands.Add(id, [this] { ExportToFile(); });
    }
    commands.Add(cmd::kExportSentenceMp3, [this] { ExportCurrentSentence(); });
}

// Playback stops and the study's audio is open for rendering.
bool ExportCommands::Prepare() {
    m_view.Playback().Stop();
    return m_view.AudioReady();
}

void ExportCommands::ExportToFile() {
    if (!Prepare()) {
        return;
    }
    if (m_view.State().HasGroup()) {
        m_view.Fragments().PlayFragment(FragmentCommands::kGroup);
        return;
    }
    if (m_dialog == nullptr) {
        return;
    }
    m_view.CommitCurrentSentence();
    const SentenceRows& rows = m_view.State().rows;
    std::vector<const CEarlarkWaveSection*> sentences;
    for (int row = 0; row < rows.Count(); ++row) {
        sentences.push_back(rows.At(row));
    }
    const int stored = settings::kAudioFormat.Read(m_view.Ports().settings);
    Mp3ExportOptions options(stored, static_cast<int>(sentences.size()));
    m_dialog->Run(options, [&] { RunExport(options, sentences); });
}

// The save dialog of the export: an MP3 file, or the old WMA entry while no format is
// chosen (the encoding is MP3 at 48 kbit/s all the same).
FileDialogRequest ExportCommands::OutputRequest(int format) const {
    const bool mp3 = !mp3choices::FormatText(format).empty();
    FileDialogRequest request;
    request.title = mp3 ? "출력 mp3 파일 지정" : "출력 wma 파일 지정";
    request.filter = mp3 ? "mp3 파일(*.mp3)|*.mp3||" : "wma 파일(*.wma)|*.wma||";
    request.defaultExtension = mp3 ? "mp3" : "wma";
    request.initialPath = settings::kAudioOutDir.Read(m_view.Ports().settings);
    return request;
}

void ExportCommands::RunExport(const Mp3ExportOptions& options,
                               const std::vector<const CEarlarkWaveSection*>& sentences) {
    const ViewPorts& ports = m_view.Ports();
    const std::optional<std::string> path =
        ports.fileDialogs.GetSaveFileName(OutputRequest(options.formatIndex));
    if (!path) {
        return;
    }
    settings::kAudioOutDir.Write(ports.settings, *path);
    CEarlarkDoc& doc = m_view.Doc();
    const std::uint32_t byteRate = doc.m_player.Format().avgBytesPerSec;
    Mp3ExportList list(
        [byteRate](std::uint32_t start, std::uint32_t end, int value, bool proportional) {
            return CPlaybackController::PauseBytes(start, end, value, proportional, byteRate);
        },
        ports.prompts);
    const Mp3ExportList::Study study{doc.m_nRepeat,   doc.m_nSpeed,
                                     doc.m_nInterval, m_view.State().m_listenSpeak,
                                     PaddingBytes(),  doc.m_player.DataSize()};
    const std::string folder = std::filesystem::path(*path).parent_path().string();
    if (!list.Build(sentences, options, study, folder)) {
        return;
    }
    Mp3EncoderDriver encoder(Mp3EncoderDriver::InstalledLibraryPath(), &ports.prompts);
    ExportProgressWindow progress(m_dialog->Progress());
    Mp3Export exporter(doc.m_player, encoder, ports.prompts, progress);
    const int bitRate = mp3choices::BitRate(options.formatIndex);
    const bool done = options.option == Mp3ExportOptions::Option::EachSentence
                          ? exporter.ExportEachToFile(list.Items(), list.Files(), *path, bitRate)
                          : exporter.ExportToFile(list.Items(), *path, bitRate);
    if (done) {
        settings::kAudioFormat.Write(ports.settings, options.formatIndex);
    }
}

std::uint32_t ExportCommands::PaddingBytes() const {
    return SentencePadding::Bytes(settings::kPadding.Read(m_view.Ports().settings),
                                  m_view.Doc().m_player.Format());
}

// The active group from its first sentence's start to its last sentence's end, or the
// current sentence; with the texts that name the file.
bool ExportCommands::CurrentRange(SentenceRange& range) const {
    const ViewState& s = m_view.State();
    if (!s.HasGroup()) {
        if (s.m_curSentence == nullptr) {
            return false;
        }
        range = {s.m_curSentence->m_nStart,
                 s.m_curSentence->m_nEnd,
                 {s.m_curSentence->m_strListenWrite}};
        SentencePadding::Apply(range.start, range.end, PaddingBytes(),
                               m_view.Doc().m_player.DataSize());
        return true;
    }
    const CEarlarkWaveSection* first = s.rows.At(s.m_groupFirst);
    const CEarlarkWaveSection* last = s.rows.At(s.m_groupLast);
    range.start = first != nullptr ? first->m_nStart : 0;
    range.end = last != nullptr ? last->m_nEnd : m_view.Doc().m_player.DataSize();
    for (int row = s.m_groupFirst; row <= s.m_groupLast; ++row) {
        if (const CEarlarkWaveSection* sentence = s.rows.At(row)) {
            range.texts.push_back(sentence->m_strListenWrite);
        }
    }
    return true;
}

void ExportCommands::ExportCurrentSentence() {
    SentenceRange range;
    if (!Prepare() || !CurrentRange(range) || m_dialog == nullptr) {
        return;
    }
    const ViewPorts& ports = m_view.Ports();
    FileDialogRequest request;
    request.title = "출력 파일 지정";
    request.filter = mp3choices::CurrentSentenceFilter();
    request.defaultExtension = "mp3";
    request.proposedName = mp3names::CurrentSentenceName(range.texts);
    request.initialPath = settings::kAudioOutDir.Read(ports.settings);
    const std::optional<SentenceFileChoice> choice =
        m_dialog->AskSentenceFile(request, settings::kAudioFormat.Read(ports.settings));
    if (!choice) {
        return;
    }
    settings::kAudioOutDir.Write(ports.settings, choice->path);
    settings::kAudioFormat.Write(ports.settings, choice->format);
    if (!mp3names::CanCreate(choice->path)) {
        ports.prompts.ShowMessage(exportmsg::kUnicodeName, PromptIcon::Warning);
        return;
    }
    Mp3EncoderDriver encoder(Mp3EncoderDriver::InstalledLibraryPath(), &ports.prompts);
    ExportProgressWindow progress(m_dialog->Progress());
    Mp3Export exporter(m_view.Doc().m_player, encoder, ports.prompts, progress);
    exporter.ExportRange(range.start, range.end, choice->path, mp3choices::BitRate(choice->format));
}
