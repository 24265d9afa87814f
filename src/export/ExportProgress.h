#pragma once

#include <cstdint>
#include <string>

// The progress window of an export as the export code sees it. The window keeps itself
// responsive: it processes pending window messages at every position and every cancel
// check.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;

    virtual void Show(const std::string& text, std::int64_t lower, std::int64_t upper) = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    // True once after Cancel was pressed.
    virtual bool CancelRequested() = 0;
    virtual void Close() = 0;
};

// Shows nothing and is never cancelled: for earlark-tool and tests.
class SilentExportProgress : public ExportProgress {
public:
    void Show(const std::string&, std::int64_t, std::int64_t) override {}
    void SetPosition(std::int64_t) override {}
    bool CancelRequested() override { return false; }
    void Close() override {}
};
