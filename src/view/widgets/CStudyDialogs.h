#pragma once

#include "view/StudyDialogPorts.h"

#include <QPointer>
#include <QWidget>

// The partition and script dialogs of the study view as Qt dialogs over a parent window.
class CStudyDialogs : public AutoPartitionDialogPort, public ScriptDialogPort {
public:
    explicit CStudyDialogs(QWidget* parent) : m_parent(parent) {}

    bool Run(CAutoPartition& model) override;
    std::optional<ExportScriptChoice> AskExport(int column) override;
    std::optional<ScriptImportOptions> AskImport() override;

    StudyDialogPorts Ports() { return {this, this}; }

private:
    QPointer<QWidget> m_parent;
};
