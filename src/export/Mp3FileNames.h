#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// File names of exported MP3 files made from sentence texts.
namespace mp3names {

// Paths longer than this many characters are not used; the numbered name is taken instead.
constexpr std::size_t kMaxPathCharacters = 260;

// The text without leading and trailing white space, in UTF-8, with the eight characters
// that file names of other systems cannot hold (" / : < > ? \ |) replaced by their
// full-width forms, so that a name means the same everywhere the file is copied.
std::string FullWidthName(std::u16string_view text);

// folder/NNN.mp3 for the 1-based position (at least three digits).
std::string NumberedPath(const std::string& folder, int position);

struct Target {
    std::string path;
    bool numbered = false; // the numbered path stands in for the sentence's own name
};

// folder/NAME.mp3 for the sentence's text, or the numbered path when the name is empty or
// the path too long for the file system.
Target SentencePath(const std::string& folder, std::u16string_view text, int position);

// Whether a file can be made at path: made and removed again when it does not exist, opened
// for writing (and left as it is) when it does.
bool CanCreate(const std::string& path);

// The default name offered for the current-sentence export: the texts, each followed by one
// blank, made a file name; a name ending in a full stop gets one more, so that the stop is
// not taken for the start of an extension.
std::string CurrentSentenceName(const std::vector<std::u16string>& texts);

} // namespace mp3names
