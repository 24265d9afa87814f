#pragma once

// The texts the MP3 export shows.
namespace exportmsg {

inline constexpr const char* kInvalidOptions =
    "Invalid values for options.\n\n ex) Sentence Range may need a revision.";
inline constexpr const char* kNoSpace =
    "Not enough hard drive space.\n\nPlease make sure there is enough space for the Audio File.";
inline constexpr const char* kCannotStart = "Cannot start Audio File Conversion.";
inline constexpr const char* kCannotCreate =
    "Cannot create an Audio File.\n\n The file maybe in use of another application.";
inline constexpr const char* kProgressing = "Audio File Convertion Progressing.";
inline constexpr const char* kCompleted = "Audio File Conversion has been completed successfully.";
inline constexpr const char* kFailed = "Audio File Conversion has failed or been canceled.";
inline constexpr const char* kSpecialCharacters = "%d 번 웨이브섹션의 파일명에 특수문자가 있는 듯 "
                                                  "합니다.\n\n다른 이름으로 대체해 출력하겠습니까?";
inline constexpr const char* kUnicodeName =
    "파일명에 특수문자(유니코드)가 있어 출력할 수 없습니다.";

} // namespace exportmsg
