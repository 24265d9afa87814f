#include "view/widgets/CStudyDialogs.h"

#include "qt/QtFileDialogs.h"
#include "view/widgets/CAutoPartitionDlg.h"
#include "view/widgets/CExportMp3Dialog.h"
#include "view/widgets/CExportScriptDlg.h"
#include "view/widgets/CImportScriptDlg.h"
#include "view/widgets/CWorkProgressDlg.h"

#include <QFileDialog>
#include <QFileInfo>

CStudyDialogs::CStudyDialogs(QWidget* parent) : m_parent(parent) {}

CStudyDialogs::~CStudyDialogs() = default;

bool CStudyDialogs::Run(CAutoPartition& model) {
    CAutoPartitionDlg dialog(model, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<ExportScriptChoice> CStudyDialogs::AskExport(int column) {
    CExportScriptDlg dialog(column, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

std::optional<ScriptImportOptions> CStudyDialogs::AskImport() {
    CImportScriptDlg dialog(m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Options();
}

void CStudyDialogs::Run(Mp3ExportOptions& options, const std::function<void()>& onExport) {
    CExportMp3Dialog dialog(options, onExport, m_parent);
    m_exportDialog = &dialog;
    dialog.exec();
    m_progress.reset();
    m_exportDialog = nullptr;
}

std::optional<SentenceFileChoice> CStudyDialogs::AskSentenceFile(const FileDialogRequest& request,
                                                                 int format) {
    QFileDialog dialog(m_parent, QString::fromStdString(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = ToQtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (format >= 0 && format < filters.size()) {
        dialog.selectNameFilter(filters[format]);
    }
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.initialPath.empty()) {
        const QFileInfo initial(QString::fromStdString(request.initialPath));
        dialog.setDirectory(initial.isDir() ? initial.absoluteFilePath() : initial.absolutePath());
    }
    dialog.selectFile(QString::fromStdString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return SentenceFileChoice{dialog.selectedFiles().first().toStdString(),
                              static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

ProgressPort* CStudyDialogs::Progress() {
    QWidget* owner = m_exportDialog ? m_exportDialog.data() : m_parent.data();
    m_progress = std::make_unique<CWorkProgressDlg>(owner);
    return m_progress.get();
}
