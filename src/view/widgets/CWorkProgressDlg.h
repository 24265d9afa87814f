#pragma once

#include "partition/ProgressPort.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

// The progress window of long work: a bar, a status line and Cancel. While it is shown its
// owner's window is disabled, so that only Cancel and painting reach the program; every
// position and cancel check processes the events waiting meanwhile.
class CWorkProgressDlg : public QDialog, public ProgressPort {
    Q_OBJECT
public:
    explicit CWorkProgressDlg(
        QWidget* owner, const QString& caption = QStringLiteral("Progressing... Please wait."));
    ~CWorkProgressDlg() override;

    bool Create() override;
    void SetStatus(const std::string& text) override;
    void SetRange(std::int32_t lower, std::int32_t upper) override;
    void SetStep(std::int32_t step) override { m_step = step; }
    void SetPos(std::int32_t position) override;
    bool CheckCancel() override;
    bool Cancelled() const override { return m_cancelled; }
    void Destroy() override;

    // The Cancel button and the window's close box ask to cancel; the window stays open
    // until its user destroys it.
    void reject() override { m_cancelRequest = true; }

private:
    QPointer<QWidget> m_owner;
    bool m_ownerDisabled = false;
    QProgressBar* m_bar;
    QLabel* m_status;
    std::int32_t m_step = 10;
    bool m_cancelRequest = false;
    bool m_cancelled = false;
};
