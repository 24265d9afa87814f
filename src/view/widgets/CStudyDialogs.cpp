#include "view/widgets/CStudyDialogs.h"

#include "view/widgets/CAutoPartitionDlg.h"
#include "view/widgets/CExportScriptDlg.h"
#include "view/widgets/CImportScriptDlg.h"

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
