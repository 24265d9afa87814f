#pragma once

// Platform services that start-up needs and tests replace.

// Finds a running copy of the program and brings its window forward.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True when another copy runs; otherwise this copy becomes the one others find.
    virtual bool AnotherInstanceRunning() = 0;
    virtual void ActivateOtherInstance() = 0;
};

// The rich-text edit control the two text boxes are built on.
enum class RichTextStatus { Missing, Outdated, Usable };

class RichTextProbe {
public:
    virtual ~RichTextProbe() = default;
    virtual RichTextStatus Probe() = 0;
};

// The classic check on the control library's major version: none (negative) means missing,
// only versions 3 and 4 offer what the boxes need.
RichTextStatus RichTextStatusFromMajorVersion(int major);
