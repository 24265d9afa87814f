#include "view/ScriptCommands.h"

#include "document/CEarlarkDoc.h"
#include "document/ScriptFile.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ListModeCommands.h"
#include "view/ViewCommandIds.h"

#include <vector>

namespace {

constexpr int kMinColumn = 50;
constexpr int kMaxColumn = 100;
constexpr int kDefaultColumn = 70;

FileDialogRequest ExportRequest(bool dataFile, const std::string& folder) {
    FileDialogRequest request;
    request.title = "Export Sentence sentences into a text file.";
    request.filter = dataFile ? "Wordlark Audio File(*.wkf)|*.wkf||" : "Text File (*.txt)|*.txt||";
    request.defaultExtension = dataFile ? "wkf" : "txt";
    request.initialPath = folder;
    return request;
}

FileDialogRequest ImportRequest(const std::string& folder) {
    FileDialogRequest request;
    request.title = "Import a text file into the sentences.";
    request.filter = "Text File (*.txt)|*.txt||";
    request.defaultExtension = "txt";
    request.initialPath = folder;
    request.mustExist = true;
    return request;
}

} // namespace

void ScriptCommands::Register(CommandMap& commands) {
    for (int id : {cmd::kExportScript, cmd::kExportScriptMenu}) {
        commands.Add(id, [this] { Export(); });
    }
    for (int id : {cmd::kImportScript, cmd::kImportScriptMenu}) {
        commands.Add(id, [this] { Import(); });
    }
}

// Playback stops, the audio must be ready, and what was typed goes into its sentence.
bool ScriptCommands::Prepare() {
    m_view.Playback().Stop();
    if (!m_view.AudioReady()) {
        return false;
    }
    m_view.CommitCurrentSentence();
    return m_dialog != nullptr;
}

void ScriptCommands::Export() {
    if (!Prepare()) {
        return;
    }
    const ViewPorts& ports = m_view.Ports();
    const std::optional<ExportScriptChoice> choice =
        m_dialog->AskExport(settings::kColumn.Read(ports.settings));
    if (!choice) {
        return;
    }
    const bool widthValid = choice->column >= kMinColumn && choice->column <= kMaxColumn;
    settings::kColumn.Write(ports.settings, widthValid ? choice->column : kDefaultColumn);
    const std::optional<std::string> path = ports.fileDialogs.GetSaveFileName(
        ExportRequest(choice->options.dataFile, settings::kTextOutDir.Read(ports.settings)));
    if (!path) {
        return;
    }
    settings::kTextOutDir.Write(ports.settings, *path);
    const SentenceRows& rows = m_view.State().rows;
    std::vector<const CEarlarkWaveSection*> listed;
    for (int i = 0; i < rows.Count(); ++i) {
        listed.push_back(rows.At(i));
    }
    if (!script_file::Export(*path, listed, choice->options, script_file::LocalTimeNow())) {
        ports.prompts.ShowMessage(script_file::kCannotReadOrWrite, PromptIcon::Warning);
    }
}

void ScriptCommands::Import() {
    if (!Prepare()) {
        return;
    }
    const ViewPorts& ports = m_view.Ports();
    const std::optional<ScriptImportOptions> options = m_dialog->AskImport();
    if (!options) {
        return;
    }
    const std::optional<std::string> path =
        ports.fileDialogs.GetOpenFileName(ImportRequest(settings::kTextInDir.Read(ports.settings)));
    if (!path) {
        return;
    }
    settings::kTextInDir.Write(ports.settings, *path);
    CEarlarkDoc& doc = m_view.Doc();
    if (!script_file::Import(*path, doc.m_sections, doc.m_nCharSet, *options)) {
        ports.prompts.ShowMessage(script_file::kCannotReadOrWrite, PromptIcon::Warning);
        return;
    }
    // The boxes still show the old texts of the current sentence: the refill must not
    // commit them over the imported ones.
    m_view.State().m_prevIndex = -1;
    m_view.ListModes().ShowAll();
    doc.SetModifiedFlag();
}
