#pragma once

#include "platform/WaitWindow.h"

#include <chrono>
#include <memory>

class QDialog;
class QProgressBar;
class QWidget;

// A captionless window with one line of text, centred over the main window, painted at once
// because the work that follows keeps the event loop busy. Shows the wait cursor meanwhile.
// Work that reports progress gets a progress bar and a Cancel button, and the window then
// takes the user's clicks (it is modal, so only Cancel can be reached).
class QtWaitWindow : public WaitWindow {
public:
    QtWaitWindow();
    ~QtWaitWindow() override;

    void SetParent(QWidget* parent) { m_parent = parent; }
    void Show(const std::string& text) override;
    void Close() override;
    bool Progress(int percent) override;

private:
    void AddProgressBar();

    QWidget* m_parent = nullptr;
    std::unique_ptr<QDialog> m_dialog;
    QProgressBar* m_bar = nullptr;
    bool m_cancelled = false;
    std::chrono::steady_clock::time_point m_lastEvents;
};
