#pragma once

#include <string>
#include <vector>

// What the program was started with: an optional study file and a few switches.
struct CommandLine {
    std::string studyFile;
    // The title picture is off when started for embedding or automation, or on request.
    bool showTitlePicture = true;
    // A study opened when neither the command line nor the recent-file list names one.
    std::string demoStudy;
    // Render the main window into this PNG file and exit.
    std::string screenshot;
    std::string error;

    static CommandLine Parse(const std::vector<std::string>& args);
};
