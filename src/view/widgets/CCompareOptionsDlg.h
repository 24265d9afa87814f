#pragma once

#include "view/ViewPorts.h"

#include <QDialog>

class QCheckBox;

// "Compare Transcription and Original Text": whether letter case and punctuation count
// when a transcription is checked.
class CCompareOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CCompareOptionsDlg(const CompareChoice& initial, QWidget* parent);
    CompareChoice Choice() const;

private:
    QCheckBox* m_case;
    QCheckBox* m_punctuation;
};
