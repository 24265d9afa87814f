#include "view/widgets/CWorkProgressDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

// The window has no parent: a disabled parent would disable it too. It stays above the
// owner's window as a tool window of its own.
CWorkProgressDlg::CWorkProgressDlg(QWidget* owner, const QString& caption)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint), m_owner(owner),
      m_bar(new QProgressBar(this)), m_status(new QLabel(this)) {
    setWindowTitle(caption);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelRequest = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
}

CWorkProgressDlg::~CWorkProgressDlg() {
    Destroy();
}

bool CWorkProgressDlg::Create() {
    QWidget* top = m_owner ? m_owner->window() : nullptr;
    if (top != nullptr && top->isEnabled()) {
        top->setEnabled(false);
        m_ownerDisabled = true;
    }
    show();
    if (top != nullptr) {
        move(top->geometry().center() - rect().center());
    }
    return true;
}

void CWorkProgressDlg::SetStatus(const std::string& text) {
    m_status->setText(QString::fromStdString(text));
}

void CWorkProgressDlg::SetRange(std::int32_t lower, std::int32_t upper) {
    m_bar->setRange(lower, upper);
}

void CWorkProgressDlg::SetPos(std::int32_t position) {
    QCoreApplication::processEvents();
    m_bar->setValue(position);
}

bool CWorkProgressDlg::CheckCancel() {
    QCoreApplication::processEvents();
    const bool requested = m_cancelRequest;
    m_cancelRequest = false;
    if (requested) {
        m_cancelled = true;
    }
    return requested;
}

void CWorkProgressDlg::Destroy() {
    if (m_ownerDisabled && m_owner) {
        m_owner->window()->setEnabled(true);
    }
    m_ownerDisabled = false;
    hide();
}
