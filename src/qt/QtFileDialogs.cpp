#include "qt/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

QStringList ToQtNameFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        QString pattern = parts[i + 1];
        filters << parts[i] + " (" + pattern.replace(';', ' ') + ")";
    }
    return filters;
}

std::optional<std::string> QtFileDialogs::GetOpenFileName(const FileDialogRequest& request) {
    return Run(request, false);
}

std::optional<std::string> QtFileDialogs::GetSaveFileName(const FileDialogRequest& request) {
    return Run(request, true);
}

std::optional<std::string> QtFileDialogs::Run(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(m_parent, QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.mustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    dialog.setNameFilters(ToQtNameFilters(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    QFileInfo initial(QString::fromStdString(request.initialPath));
    if (!request.initialPath.empty()) {
        dialog.setDirectory(initial.isDir() ? initial.absoluteFilePath() : initial.absolutePath());
    }
    if (!request.proposedName.empty()) {
        dialog.selectFile(QString::fromStdString(request.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}
