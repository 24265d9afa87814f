#pragma once

#include <string>

// Fixed texts the study document shows.
namespace study_messages {

// The one message for any failed read or write of a study file.
std::string FileFailure(const std::string& path);
// The same text on one line, for command-line tools.
std::string FileFailureOneLine(const std::string& path);

inline constexpr const char* kBadName =
    "The name you have chosen is not appropriate for this file. \n\n"
    "Please change the name and try again.";
inline constexpr const char* kSentenceLimit = "Each Study file can have up to 2,000 Sentences.";

std::string AskToSave(const std::string& name);

} // namespace study_messages
