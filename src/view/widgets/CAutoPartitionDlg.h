#pragma once

#include <QDialog>

class CAutoPartition;
class QLabel;
class QSpinBox;

// The "Auto-Partition" dialog: the two partition factors with their spins, Default,
// Partition (which runs the search behind a progress window) and the count of sentences the
// last partition found. OK stores the factors; Cancel changes nothing.
class CAutoPartitionDlg : public QDialog {
    Q_OBJECT
public:
    CAutoPartitionDlg(CAutoPartition& model, QWidget* parent);

    void accept() override;

private:
    void OnDefault();
    void OnPartition();
    void ShowValues();

    CAutoPartition& m_model;
    QLabel* m_silenceText;
    QLabel* m_loudnessText;
    QLabel* m_countText;
    QSpinBox* m_silenceSpin;
    QSpinBox* m_loudnessSpin;
};
