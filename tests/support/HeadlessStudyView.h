#pragma once

#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"

// The study view on a document with headless ports, scripted answers and a manual-clock
// device, as the view tests drive it. The device is declared before the document so that
// it outlives the document's engine.
struct HeadlessStudyView {
    PumpedMessageQueue queue;
    ManualClockWaveOutDevice device{queue};
    CEarlarkDoc doc;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    StudyAudio audio{doc, settings, prompts, dialogs};
    HeadlessSentenceList list;
    HeadlessTextBox listenWrite;
    HeadlessTextBox original;
    HeadlessDisplays displays;
    HeadlessForm form;
    CEarlarkMainView view{
        doc, audio,
        ViewPorts{list, listenWrite, original, displays, form, prompts, dialogs, settings}};
};
