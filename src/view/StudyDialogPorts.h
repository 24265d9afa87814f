#pragma once

#include "document/ScriptOptions.h"
#include "platform/FileDialogs.h"

#include <functional>
#include <optional>
#include <string>

class CAutoPartition;
class Mp3ExportOptions;
class ProgressPort;

// The modal dialogs of the partition and script commands, as the study view asks them. The
// Qt layer shows real dialogs; the headless session answers from its script.

class AutoPartitionDialogPort {
public:
    virtual ~AutoPartitionDialogPort() = default;
    // Runs the Auto-Partition dialog over the model (already started); true for OK. The
    // dialog's Partition button calls model.Partition with a progress window it owns.
    virtual bool Run(CAutoPartition& model) = 0;
};

struct ExportScriptChoice {
    ScriptExportOptions options;
    int column = 70; // the line width as typed, not yet checked
};

class ScriptDialogPort {
public:
    virtual ~ScriptDialogPort() = default;
    // The Export Script dialog, showing the stored line width; nothing on Cancel.
    virtual std::optional<ExportScriptChoice> AskExport(int column) = 0;
    // The Import Script dialog; nothing on Cancel.
    virtual std::optional<ScriptImportOptions> AskImport() = 0;
};

struct SentenceFileChoice {
    std::string path;
    int format = 3; // the chosen filter's position - 1: the encoding format index
};

class Mp3ExportDialogPort {
public:
    virtual ~Mp3ExportDialogPort() = default;
    // Runs the export dialog ("Export to a new MP3 file") modally over options, showing and
    // enabling its controls as options says. Every Export click stores the controls' values
    // in options and calls onExport; the dialog stays open until Cancel.
    virtual void Run(Mp3ExportOptions& options, const std::function<void()>& onExport) = 0;
    // The save dialog of the current-sentence export: one filter per encoding format, the
    // filter of format preselected; nothing on Cancel.
    virtual std::optional<SentenceFileChoice> AskSentenceFile(const FileDialogRequest& request,
                                                              int format) = 0;
    // The progress window of an export: owned by the export dialog while it runs, else by
    // the view. May be null (the export then shows no progress).
    virtual ProgressPort* Progress() = 0;
};

struct StudyDialogPorts {
    AutoPartitionDialogPort* autoPartition = nullptr;
    ScriptDialogPort* scripts = nullptr;
    Mp3ExportDialogPort* mp3Export = nullptr;
};
