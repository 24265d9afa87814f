#pragma once

#include "document/ScriptOptions.h"

#include <optional>

class CAutoPartition;
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

struct StudyDialogPorts {
    AutoPartitionDialogPort* autoPartition = nullptr;
    ScriptDialogPort* scripts = nullptr;
};
