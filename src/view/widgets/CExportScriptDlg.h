#pragma once

#include "view/StudyDialogPorts.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

// The "Export Script" dialog: the line width and the four export options, every option
// unchecked each time it opens.
class CExportScriptDlg : public QDialog {
    Q_OBJECT
public:
    CExportScriptDlg(int column, QWidget* parent);
    ExportScriptChoice Choice() const;

private:
    QSpinBox* m_column;
    QCheckBox* m_original;
    QCheckBox* m_dataFile;
    QCheckBox* m_date;
    QCheckBox* m_unicode;
};
