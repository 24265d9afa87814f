#pragma once

#include "platform/FileDialogs.h"

#include <vector>

// File dialogs answered with a set path (or a cancel); every request is recorded.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer;
    }

    std::optional<std::string> answer;
    std::vector<FileDialogRequest> requests;
};
