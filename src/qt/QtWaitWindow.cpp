#include "qt/QtWaitWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

QtWaitWindow::QtWaitWindow() = default;
QtWaitWindow::~QtWaitWindow() { Close(); }

void QtWaitWindow::Show(const std::string& text) {
    Close();
    m_dialog = std::make_unique<QDialog>(m_parent, Qt::Dialog | Qt::FramelessWindowHint);
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
    QApplication::restoreOverrideCursor();
    if (m_parent) {
        m_parent->repaint();
    }
}
