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

inline constexpr const char* kGroupingAllSentencesOnly =
    "[Sentence grouping] is available only in [View all Sentence] mode.";
inline constexpr const char* kNoSentenceToMerge =
    "No Sentence to merge. You need to have at least one following Sentence to perform this "
    "action. ";
inline constexpr const char* kDelimitersInDictation =
    "There has to be exactly %d number of Sentence-delimiting notations in the dictation box.";
inline constexpr const char* kDelimitersInOriginal =
    "There has to be exactly %d number of Sentence-delimiting notations in the Original Text "
    "box.";
inline constexpr const char* kResetListenWrite =
    "Do you want to initialize Listen-and-Write notes?";
inline constexpr const char* kCopyOriginalToOthers =
    "Do you want to copy the original text to the Listen-and-Write box for other Sentences, "
    "too?";
inline constexpr const char* kCopyToOriginalOfOthers =
    "Do you want to replace the Original Text of every other listed Sentence with its "
    "Listen-and-Write text, too?";

} // namespace view_messages
