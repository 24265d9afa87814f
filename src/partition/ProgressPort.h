#pragma once

#include <cstdint>
#include <string>

// The progress window of long work (auto-partition, MP3 export): a bar, a status line and a
// Cancel button. Work calls it on its own thread and lets it dispatch waiting events at every
// position and cancel check, so the program stays responsive. The window shows on top of an
// owner window, which stays disabled while it is shown.
class ProgressPort {
public:
    virtual ~ProgressPort() = default;

    // Shows the window and disables the owner; false when it cannot be shown.
    virtual bool Create() = 0;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetRange(std::int32_t lower, std::int32_t upper) = 0;
    virtual void SetStep(std::int32_t step) = 0;
    // Dispatches waiting events, then moves the bar.
    virtual void SetPos(std::int32_t position) = 0;
    // Dispatches waiting events; true once for every press of Cancel since the last check.
    virtual bool CheckCancel() = 0;
    // True from the first check that took a cancel request on.
    virtual bool Cancelled() const = 0;
    // Re-enables the owner (when the window disabled it) and closes the window.
    virtual void Destroy() = 0;
};
