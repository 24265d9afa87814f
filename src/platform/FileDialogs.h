#pragma once

#include <optional>
#include <string>

// The common file dialogs as the core uses them. A filter follows the classic
// "Name(*.ext)|*.ext||" form.
struct FileDialogRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension; // without the dot
    std::string initialPath;      // a folder, or a file whose folder is used
    std::string proposedName;     // Save dialogs: the name offered
    bool mustExist = false;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) = 0;
};
