#pragma once

#include "view/StudyDialogPorts.h"

#include <cstdint>

class CEarlarkMainView;
class CommandMap;

// Auto-Partition Into Sentences (32840): the dialog over a working list, and on OK the
// study's sentences replaced by it.
class PartitionCommands {
public:
    explicit PartitionCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);
    void SetDialog(AutoPartitionDialogPort* dialog) { m_dialog = dialog; }

    void AutoPartition();

private:
    // The recording can be read and has data; leaves the engine closed.
    bool RecordingReadable();

    CEarlarkMainView& m_view;
    AutoPartitionDialogPort* m_dialog = nullptr;
};
