#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

class QWidget;

// The platform's file dialogs.
class QtFileDialogs : public FileDialogs {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }

    std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override;

private:
    std::optional<std::string> Run(const FileDialogRequest& request, bool save);

    QWidget* m_parent = nullptr;
};

// "Name(*.ext)|*.ext||" as a Qt name filter list ("Name(*.ext) (*.ext)").
QStringList ToQtNameFilters(const std::string& filter);
