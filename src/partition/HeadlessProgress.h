#pragma once

#include "partition/ProgressPort.h"

// A progress window without a window: it records what it is told and takes a cancel request
// when asked to, for earlark-tool and tests.
class HeadlessProgress : public ProgressPort {
public:
    bool Create() override;
    void SetStatus(const std::string& text) override { m_status = text; }
    void SetRange(std::int32_t lower, std::int32_t upper) override;
    void SetStep(std::int32_t step) override { m_step = step; }
    void SetPos(std::int32_t position) override { m_position = position; }
    bool CheckCancel() override;
    bool Cancelled() const override { return m_cancelled; }
    void Destroy() override { m_shown = false; }

    // The Cancel button, pressed now.
    void RequestCancel() { m_cancelRequest = true; }
    // Presses Cancel just before the check with this number (counting from 1).
    void CancelAtCheck(long long check) { m_cancelAt = check; }

    bool Shown() const { return m_shown; }
    const std::string& Status() const { return m_status; }
    std::int32_t Lower() const { return m_lower; }
    std::int32_t Upper() const { return m_upper; }
    std::int32_t Step() const { return m_step; }
    std::int32_t Position() const { return m_position; }
    long long Checks() const { return m_checks; }

private:
    bool m_shown = false;
    std::string m_status;
    std::int32_t m_lower = 0;
    std::int32_t m_upper = 100;
    std::int32_t m_step = 10;
    std::int32_t m_position = 0;
    bool m_cancelRequest = false;
    bool m_cancelled = false;
    long long m_checks = 0;
    long long m_cancelAt = -1;
};
