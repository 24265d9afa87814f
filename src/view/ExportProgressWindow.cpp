#include "view/ExportProgressWindow.h"

#include "partition/ProgressPort.h"

#include <algorithm>
#include <limits>

namespace {

// The window's bar counts in 32 bits; byte positions of longer recordings are held there.
std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void ExportProgressWindow::Show(const std::string& text, std::int64_t lower, std::int64_t upper) {
    if (m_window == nullptr || m_shown || !m_window->Create()) {
        return;
    }
    m_shown = true;
    m_window->SetStatus(text);
    m_window->SetRange(Clamp32(lower), Clamp32(upper));
    m_window->SetStep(1);
}

void ExportProgressWindow::SetPosition(std::int64_t position) {
    if (m_shown) {
        m_window->SetPos(Clamp32(position));
    }
}

bool ExportProgressWindow::CancelRequested() {
    return m_shown && m_window->CheckCancel();
}

void ExportProgressWindow::Close() {
    if (m_shown) {
        m_shown = false;
        m_window->Destroy();
    }
}
