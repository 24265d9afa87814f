#pragma once

#include "document/ScriptOptions.h"

#include <QDialog>

class QCheckBox;

// The "Import Script" dialog: which text to fill, and whether "//" ends the texts.
class CImportScriptDlg : public QDialog {
    Q_OBJECT
public:
    explicit CImportScriptDlg(QWidget* parent);
    ScriptImportOptions Options() const;

private:
    QCheckBox* m_original;
    QCheckBox* m_delimiter;
};
