#pragma once

#include "platform/WaitWindow.h"

#include <memory>

class QDialog;
class QWidget;

// A captionless window with one line of text, centred over the main window, painted at once
// because the work that follows keeps the event loop busy. Shows the wait cursor meanwhile.
class QtWaitWindow : public WaitWindow {
public:
    QtWaitWindow();
    ~QtWaitWindow() override;

    void SetParent(QWidget* parent) { m_parent = parent; }
    void Show(const std::string& text) override;
    void Close() override;

private:
    QWidget* m_parent = nullptr;
    std::unique_ptr<QDialog> m_dialog;
};
