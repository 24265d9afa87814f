#pragma once

#include <string>

// A small window that says long work is going on (with a wait cursor), shown around work
// that keeps the user waiting without a progress bar.
class WaitWindow {
public:
    virtual ~WaitWindow() = default;
    virtual void Show(const std::string& text) = 0;
    virtual void Close() = 0;
};

// Shows nothing: for earlark-tool and tests that do not look at it.
class SilentWaitWindow : public WaitWindow {
public:
    void Show(const std::string&) override {}
    void Close() override {}
};
