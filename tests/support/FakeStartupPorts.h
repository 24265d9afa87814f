#pragma once

// Start-up ports for tests: no other copy running (unless told), a usable rich-text control
// (unless told otherwise).
#include "app/StartupPorts.h"

class FakeInstanceGuard : public InstanceGuard {
public:
    bool AnotherInstanceRunning() override { return otherRunning; }
    void ActivateOtherInstance() override { ++activations; }
    bool otherRunning = false;
    int activations = 0;
};

class FakeRichText : public RichTextProbe {
public:
    RichTextStatus Probe() override { return status; }
    RichTextStatus status = RichTextStatus::Usable;
};
