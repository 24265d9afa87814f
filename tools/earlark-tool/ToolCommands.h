#pragma once

#include <string>
#include <vector>

// The sub-command groups of earlark-tool. Each takes the arguments after its own name and
// returns the process exit status; errors are one line on stderr.
using ToolArgs = std::vector<std::string>;

int RunStudyCommand(const ToolArgs& args);
int RunWavCommand(const ToolArgs& args);
int RunRenderCommand(const ToolArgs& args);
int RunPlayCommand(const ToolArgs& args);
int RunWavConvertCommand(const ToolArgs& args);
int RunDecodeCommand(const ToolArgs& args);
int RunConvertCommand(const ToolArgs& args);
int RunSessionCommand(const ToolArgs& args);
int RunCheckCommand(const ToolArgs& args);
int RunMaskCommand(const ToolArgs& args);
int RunDictCommand(const ToolArgs& args);
int RunPartitionCommand(const ToolArgs& args);
int RunScriptCommand(const ToolArgs& args);
int RunSubtitlesCommand(const ToolArgs& args);
int RunExportMp3Command(const ToolArgs& args);

// Prints "earlark-tool: <message>" on stderr and returns 1.
int ToolError(const std::string& message);
