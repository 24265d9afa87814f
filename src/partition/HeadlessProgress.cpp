#include "partition/HeadlessProgress.h"

bool HeadlessProgress::Create() {
    m_shown = true;
    return true;
}

void HeadlessProgress::SetRange(std::int32_t lower, std::int32_t upper) {
    m_lower = lower;
    m_upper = upper;
}

bool HeadlessProgress::CheckCancel() {
    ++m_checks;
    if (m_checks == m_cancelAt) {
        m_cancelRequest = true;
    }
    const bool requested = m_cancelRequest;
    m_cancelRequest = false;
    if (requested) {
        m_cancelled = true;
    }
    return requested;
}
