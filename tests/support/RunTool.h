#pragma once

// Runs earlark-tool (the binary named by EARLARK_TOOL) with shell-quoted arguments and
// collects its exit status, standard output and standard error.
#include "support/TempDir.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

struct ToolResult {
    int status;
    std::string out;
    std::string err;
};

inline ToolResult RunTool(const std::string& arguments, const TempDir& dir) {
    std::string errPath = dir.Path("stderr.txt");
    std::string command =
        std::string("'") + EARLARK_TOOL + "' " + arguments + " 2>'" + errPath + "'";
    ToolResult result{};
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) {
        result.out.append(buffer.data(), n);
    }
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    auto err = TempDir::Read(errPath);
    result.err.assign(err.begin(), err.end());
    return result;
}

inline std::string Quote(const std::string& path) {
    return "'" + path + "'";
}
