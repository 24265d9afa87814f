#pragma once

#include "export/ExportProgress.h"

class ProgressPort;

// An export's progress shown in the progress window of long work; without a window the
// export runs unseen and cannot be cancelled.
class ExportProgressWindow : public ExportProgress {
public:
    explicit ExportProgressWindow(ProgressPort* window) : m_window(window) {}
    ~ExportProgressWindow() override { Close(); }

    void Show(const std::string& text, std::int64_t lower, std::int64_t upper) override;
    void SetPosition(std::int64_t position) override;
    bool CancelRequested() override;
    void Close() override;

private:
    ProgressPort* m_window;
    bool m_shown = false;
};
