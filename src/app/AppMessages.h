#pragma once

// Fixed texts of the application shell.
namespace app_messages {

inline constexpr const char* kSecondInstance = "You may not launce multiple Earlark at a time.";
inline constexpr const char* kRichTextMissing =
    "Cannot find RICHED20.DLL \n\nPlease contact Velmora.";
inline constexpr const char* kRichTextOutdated =
    "An updated version of RICHED20.DLL is required to run Earlark.\n\n"
    "Please download it from https://www.velmora.com/earlark and try again.";
inline constexpr const char* kSkinFailure = "Cannot initialize the skin system.";
// Audio files other than study files are opened with Ctrl+N.
inline constexpr const char* kNotAStudyFile =
    "Earlark 전용 EKD 파일 외의 다른 오디오 파일들은 Ctrl+N 단축키를 사용해서 여십시오.";

inline constexpr const char* kAppTitle = "Earlark 4.2";
inline constexpr const char* kOpenStudyTitle = "Open Study File(*.EKD)";
inline constexpr const char* kOpenStudyFilter = "Study File(*.ekd)|*.ekd||";

} // namespace app_messages
