#pragma once

#include "SessionOutput.h"

#include "view/StudyDialogPorts.h"

#include <optional>
#include <utility>

// The Auto-Partition, Export Script and Import Script dialogs of a headless session. The
// Auto-Partition dialog takes the factors of the last "partition Q L" line (once), presses
// Partition with them and prints the count; every dialog then closes with OK when the
// script's answer is yes, else with Cancel. The script dialogs keep their default options.
class SessionDialogs : public AutoPartitionDialogPort, public ScriptDialogPort {
public:
    explicit SessionDialogs(SessionOutput& output) : m_output(output) {}

    void SetPartitionFactors(int quarters, int loudness) { m_factors = {quarters, loudness}; }

    bool Run(CAutoPartition& model) override;
    std::optional<ExportScriptChoice> AskExport(int column) override;
    std::optional<ScriptImportOptions> AskImport() override;

private:
    bool Close(const char* dialog);

    SessionOutput& m_output;
    std::optional<std::pair<int, int>> m_factors;
};
