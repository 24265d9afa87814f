#include "app/CommandLine.h"

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto takeValue = [&](std::string& target) {
            if (i + 1 < args.size()) {
                target = args[++i];
            } else {
                line.error = "missing value after " + arg;
            }
        };
        if (arg == "--no-splash" || arg == "-Embedding" || arg == "/Embedding" ||
            arg == "-Automation" || arg == "/Automation") {
            line.showTitlePicture = false;
        } else if (arg == "--demo") {
            takeValue(line.demoStudy);
        } else if (arg == "--screenshot") {
            takeValue(line.screenshot);
            line.showTitlePicture = false;
        } else if (arg.size() > 1 && arg[0] == '-' && line.studyFile.empty()) {
            line.error = "unknown option " + arg;
        } else if (line.studyFile.empty()) {
            line.studyFile = arg;
        }
    }
    return line;
}
