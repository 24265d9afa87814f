#pragma once

#include <string>

// A small window that says long work is going on (with a wait cursor), shown around work
// that keeps the user waiting. Work that knows how far it has come reports it through
// Progress, which also gives the user a Cancel button.
class WaitWindow {
public:
    virtual ~WaitWindow() = default;
    virtual void Show(const std::string& text) = 0;
    virtual void Close() = 0;
    // Shows percent (0 to 100) done; returns false once the user has asked to cancel.
    virtual bool Progress(int percent) {
        (void)percent;
        return true;
    }
};

// Shows nothing: for earlark-tool and tests that do not look at it.
class SilentWaitWindow : public WaitWindow {
public:
    void Show(const std::string&) override {}
    void Close() override {}
};
