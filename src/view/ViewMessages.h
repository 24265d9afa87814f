#pragma once

// Fixed texts the study view shows.
namespace view_messages {

inline constexpr const char* kCannotOpenDevice =
    "Cannot open the wave import/export device. Check the followings and try again.\n\n"
    "1) Another application is in use of the device. \n\n"
    "2) %s Cannot use the file (Audio file needs reformatting)";
inline constexpr const char* kAudioDeleted =
    "The Audio file has been deleted or cannot be loaded.\n\nA new Audio file has to be "
    "specified.";
inline constexpr const char* kNoHighlighted = "There is no highlighted Sentence.";

} // namespace view_messages
