#include "qt/QtWaitWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

QtWaitWindow::QtWaitWindow() = default;
QtWaitWindow::~QtWaitWindow() {
    Close();
}

void QtWaitWindow::Show(const std::string& text) {
    Close();
    m_dialog = std::make_unique<QDialog>(m_parent, Qt::Dialog | Qt::FramelessWindowHint);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_bar = nullptr;
    m_cancelled = false;
    auto* layout = new QVBoxLayout(m_dialog.get());
    layout->setContentsMargins(28, 20, 28, 20);
    layout->addWidget(new QLabel(QString::fromStdString(text), m_dialog.get()));
    m_dialog->adjustSize();
    if (m_parent) {
        QRect area = m_parent->frameGeometry();
        m_dialog->move(area.center() - m_dialog->rect().center());
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_dialog->show();
    m_dialog->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWaitWindow::Close() {
    if (!m_dialog) {
        return;
    }
    m_dialog.reset();
    m_bar = nullptr;
    QApplication::restoreOverrideCursor();
    if (m_parent) {
        m_parent->repaint();
    }
}

void QtWaitWindow::AddProgressBar() {
    m_bar = new QProgressBar(m_dialog.get());
    m_bar->setRange(0, 100);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), m_dialog.get());
    QObject::connect(cancel, &QPushButton::clicked, [this] { m_cancelled = true; });
    m_dialog->layout()->addWidget(m_bar);
    m_dialog->layout()->addWidget(cancel);
    m_dialog->adjustSize();
    // The Cancel button needs the ordinary arrow over the window.
    QApplication::changeOverrideCursor(Qt::ArrowCursor);
}

bool QtWaitWindow::Progress(int percent) {
    if (!m_dialog) {
        return true;
    }
    if (m_bar == nullptr) {
        AddProgressBar();
    }
    // Events are taken at most twenty times a second; the work runs in between.
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastEvents >= std::chrono::milliseconds(50)) {
        m_lastEvents = now;
        m_bar->setValue(percent);
        QApplication::processEvents();
    }
    return !m_cancelled;
}
