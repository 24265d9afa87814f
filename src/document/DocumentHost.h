#pragma once

#include <string>

// What the study document needs from the application around it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // True while the start-up command (open the start study, or a new one) is processed.
    virtual bool IsProcessingStartup() const = 0;
    // The title picture is stopped before, and closed after, a study-file failure message.
    virtual void StopTitleTimer() {}
    virtual void CloseTitlePicture() {}
    // A study was opened or saved under this path.
    virtual void AddToRecentFileList(const std::string& /*path*/) {}
};

// What the study document needs from the view that presents it.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void ClearSentenceList() = 0;
    // Stores what the user typed for the current sentence into the study, so that the
    // save question sees it before the study is closed or replaced.
    virtual void CommitPendingEdits() {}
};
