#pragma once

#include "view/StudyDialogPorts.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class CWorkProgressDlg;

// The partition, script and MP3 export dialogs of the study view as Qt dialogs over a parent
// window.
class CStudyDialogs : public AutoPartitionDialogPort,
                      public ScriptDialogPort,
                      public Mp3ExportDialogPort {
public:
    explicit CStudyDialogs(QWidget* parent);
    ~CStudyDialogs() override;

    bool Run(CAutoPartition& model) override;
    std::optional<ExportScriptChoice> AskExport(int column) override;
    std::optional<ScriptImportOptions> AskImport() override;

    void Run(Mp3ExportOptions& options, const std::function<void()>& onExport) override;
    std::optional<SentenceFileChoice> AskSentenceFile(const FileDialogRequest& request,
                                                      int format) override;
    ProgressPort* Progress() override;

    StudyDialogPorts Ports() { return {this, this, this}; }

private:
    QPointer<QWidget> m_parent;
    // The export dialog while it is open: it owns the progress window then.
    QPointer<QWidget> m_exportDialog;
    std::unique_ptr<CWorkProgressDlg> m_progress;
};
