// earlark-tool session: the study view's state machine run headless on a study, driven
// by a script on standard input, printing what happens as JSON lines.
#include "SessionDialogs.h"
#include "SessionOutput.h"
#include "SessionScript.h"
#include "SessionState.h"
#include "ToolCommands.h"

#include "app/CEarlarkApp.h"
#include "app/StartupPorts.h"
#include "document/CEarlarkDoc.h"
#include "platform/CodePage.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PumpedMessageQueue.h"
#include "view/AcceleratorTable.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"
#include "view/ViewCommandIds.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

class NoOtherInstance : public InstanceGuard {
public:
    bool AnotherInstanceRunning() override { return false; }
    void ActivateOtherInstance() override {}
};

class UsableRichText : public RichTextProbe {
public:
    RichTextStatus Probe() override { return RichTextStatus::Usable; }
};

// A scratch folder of this run for the converted file, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        m_path = std::filesystem::temp_directory_path(ec) /
                 ("earlark-session-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_path, ec);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

class Session {
public:
    Session()
        : m_device(m_queue), m_output(std::cout),
          m_app({m_output, m_output, m_settings, m_instance, m_richText}, m_doc),
          m_view(m_doc, m_app.Audio(),
                 ViewPorts{m_list, m_listenWrite, m_original, m_displays, m_form, m_output,
                           m_output, m_settings}) {
        m_doc.m_player.SetOutputDevice(&m_device);
        m_app.Audio().Import().SetConvertedPath(m_scratch.File("__EARLARK__"));
        m_listenWrite.SetPeer(&m_original);
        m_original.SetPeer(&m_listenWrite);
        m_view.SetRandomSeed(1);
        m_view.SetObserver(&m_output);
        m_form.onFrameCommand = [this](int id) { OnFrameCommand(id); };
        m_view.SetStudyDialogs({&m_dialogs, &m_dialogs});
    }

    ~Session() { m_doc.m_player.CloseOutput(); }

    bool Open(const std::string& path) {
        if (!m_doc.OnOpenDocument(path)) {
            return false;
        }
        m_app.AddToRecentFileList(path);
        m_view.OnInitialUpdate();
        RunPosted();
        return true;
    }

    void Run(const SessionLine& line);

    bool SaveTo(const std::string& path) {
        m_view.CommitPendingEdits();
        return m_doc.OnSaveDocument(path);
    }

private:
    void OnFrameCommand(int id);
    void RunPosted();
    void Deliver();
    void CompleteBuffers(long long count);
    void Finish();
    HeadlessTextBox& FocusedBox() { return m_original.HasFocus() ? m_original : m_listenWrite; }

    ScratchFolder m_scratch;
    CEarlarkDoc m_doc;
    PumpedMessageQueue m_queue;
    ManualClockWaveOutDevice m_device;
    MemorySettingsStore m_settings;
    NoOtherInstance m_instance;
    UsableRichText m_richText;
    SessionOutput m_output;
    CEarlarkApp m_app;
    HeadlessSentenceList m_list;
    HeadlessTextBox m_listenWrite;
    HeadlessTextBox m_original;
    HeadlessDisplays m_displays;
    HeadlessForm m_form;
    SessionDialogs m_dialogs{m_output};
    CEarlarkMainView m_view;
};

// The frame's and the application's commands, as the window routes them.
void Session::OnFrameCommand(int id) {
    bool refresh = false;
    if (id == cmd::kNewStudy) {
        m_app.Audio().OnImportAudio([this] {
            const bool made = m_app.OnFileNew();
            if (made) {
                m_view.OnInitialUpdate();
            }
            return made;
        });
    } else if (id == cmd::kOpenStudy) {
        refresh = m_app.OnFileOpen();
    } else if (id == cmd::kNewStudyFromAudio) {
        refresh = m_app.OnFileNew();
    } else if (id >= cmd::kRecentFile1 && id <= cmd::kRecentFileLast) {
        const auto& recent = m_app.RecentFiles().Entries();
        const std::size_t index = static_cast<std::size_t>(id - cmd::kRecentFile1);
        refresh = index < recent.size() && m_app.OpenDocumentFile(recent[index]);
    }
    if (refresh) {
        m_view.OnInitialUpdate();
    }
}

void Session::RunPosted() {
    int id = 0;
    while (m_form.TakePosted(id)) {
        m_view.OnCommand(id);
    }
}

// The device's notices, and what each sets off, handled before the next buffer completes.
void Session::Deliver() {
    m_queue.RunPending();
    RunPosted();
}

void Session::CompleteBuffers(long long count) {
    for (long long i = 0; i < count && m_device.QueuedCount() > 0; ++i) {
        m_device.FinishHeadBuffer();
        Deliver();
    }
}

void Session::Finish() {
    const int before = m_output.RangesFinished();
    while (m_output.RangesFinished() == before && m_device.QueuedCount() > 0) {
        m_device.FinishHeadBuffer();
        Deliver();
    }
}

void Session::Run(const SessionLine& line) {
    using Kind = SessionLine::Kind;
    switch (line.kind) {
    case Kind::Skip:
        return;
    case Kind::Key:
        if (auto id = AcceleratorTable::Find(line.text)) {
            m_view.OnCommand(*id, line.modifiers);
        }
        break;
    case Kind::Command:
        m_view.OnCommand(static_cast<int>(line.number));
        break;
    case Kind::Click:
        m_view.OnListSelect(static_cast<int>(line.number));
        break;
    case Kind::Wheel:
        m_view.OnWheel(static_cast<int>(line.number), line.flag);
        break;
    case Kind::Type:
        m_listenWrite.Type(codepage::Utf8ToUtf16(line.text));
        break;
    case Kind::OriginalType:
        m_original.Type(codepage::Utf8ToUtf16(line.text));
        break;
    case Kind::Caret: {
        HeadlessTextBox& box = FocusedBox();
        box.SetSelection(static_cast<int>(line.number), static_cast<int>(line.number));
        break;
    }
    case Kind::Focus:
        (line.text == "lw" ? m_listenWrite : m_original).SetFocus();
        break;
    case Kind::Buffers:
        CompleteBuffers(line.number);
        break;
    case Kind::Finish:
        Finish();
        break;
    case Kind::Answer:
        m_output.SetAnswer(line.flag);
        break;
    case Kind::File:
        m_output.SetNextFile(line.text);
        break;
    case Kind::State:
        m_output.PrintLine(SessionStateJson(m_view, m_listenWrite, m_original));
        break;
    case Kind::Partition:
        m_dialogs.SetPartitionFactors(static_cast<int>(line.number), static_cast<int>(line.second));
        break;
    }
    Deliver();
}

} // namespace

int RunSessionCommand(const ToolArgs& args) {
    std::string study;
    std::string saveTo;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--save" && i + 1 < args.size()) {
            saveTo = args[++i];
        } else if (study.empty() && args[i].rfind("--", 0) != 0) {
            study = args[i];
        } else {
            return ToolError("usage: session STUDY.ekd [--save OUT.ekd] < SCRIPT");
        }
    }
    if (study.empty()) {
        return ToolError("usage: session STUDY.ekd [--save OUT.ekd] < SCRIPT");
    }
    Session session;
    if (!session.Open(study)) {
        return ToolError("cannot read the study " + study);
    }
    std::string text;
    for (int number = 1; std::getline(std::cin, text); ++number) {
        std::optional<SessionLine> line = ParseSessionLine(text);
        if (!line) {
            return ToolError("script line " + std::to_string(number) +
                             " cannot be parsed: " + text);
        }
        session.Run(*line);
    }
    if (!saveTo.empty() && !session.SaveTo(saveTo)) {
        return ToolError("cannot save the study to " + saveTo);
    }
    return 0;
}
