#include "document/StudyMessages.h"

namespace study_messages {

std::string FileFailure(const std::string& path) {
    return path + " File failure\n\nThe version do not match or the file is damaged.\n"
                  "Try opening with an updated Earlark.\nA blank copy will be opened for now.\n\n"
                  "For more information, please contact Velmora.\n"
                  "Support: support@velmora.com";
}

std::string FileFailureOneLine(const std::string& path) {
    std::string text = FileFailure(path);
    std::string line;
    for (char c : text) {
        if (c != '\n') {
            line.push_back(c);
        } else if (!line.empty() && line.back() != ' ') {
            line.push_back(' ');
        }
    }
    return line;
}

std::string AskToSave(const std::string& name) {
    return "Save changes to " + name + "?";
}

} // namespace study_messages
