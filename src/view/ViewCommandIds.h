#pragma once

// Command ids of the study form: buttons, accelerator keys and menu items all arrive as
// one of these numbers.
namespace cmd {

// Playback
inline constexpr int kPlay = 1001;
inline constexpr int kPause = 1029;
inline constexpr int kStop = 1096;
inline constexpr int kPlayOnce = 1204;
inline constexpr int kPlayWhole = 32806;
inline constexpr int kPlayClip = 1202;
inline constexpr int kPhrasePlay = 2202;
inline constexpr int kSeekBack = 32824;
inline constexpr int kSeekForward = 32825;
inline constexpr int kRepeatUp = 1022;
inline constexpr int kRepeatDown = 1023;
inline constexpr int kRepeatEndless = 1125;
inline constexpr int kIntervalUp = 1024;
inline constexpr int kIntervalDown = 1025;
inline constexpr int kFaster = 1026;
inline constexpr int kSlower = 1027;
inline constexpr int kSpeedPresetUp = 32862;
inline constexpr int kSpeedPresetDown = 32856;
inline constexpr int kVolumeDown = 1034;
inline constexpr int kVolumeUp = 1035;

// Navigation
inline constexpr int kPrevious = 1016;
inline constexpr int kNext = 1017;
inline constexpr int kFirst = 1061;
inline constexpr int kLast = 1062;
inline constexpr int kEnter = 1015;
inline constexpr int kJoinPrevious = 1126;
inline constexpr int kJoinNext = 1127;

// Toggles
inline constexpr int kAutoPlay = 1020;
inline constexpr int kShowOriginal = 1101;
inline constexpr int kCompareMode = 32861;
inline constexpr int kListenSpeak = 1031;
inline constexpr int kOriginalEditMode = 32870;
inline constexpr int kAlwaysOnTop = 32871;
inline constexpr int kShowRepeatCount = 32872;
inline constexpr int kShowSentenceBox = 32849;

// Sentence editing
inline constexpr int kHighlight = 121;
inline constexpr int kInsert = 1010;
inline constexpr int kDelete = 1018;
inline constexpr int kMerge = 1004;
inline constexpr int kMergeUp = 1226;
inline constexpr int kSplit = 1006;
inline constexpr int kSerialSplit = 1013;
inline constexpr int kStartEarlier = 1046;
inline constexpr int kStartLater = 1047;
inline constexpr int kEndEarlier = 1048;
inline constexpr int kEndLater = 1049;
inline constexpr int kStartEarlierMore = 1050;
inline constexpr int kStartLaterMore = 1051;
inline constexpr int kEndEarlierMore = 1052;
inline constexpr int kEndLaterMore = 1053;
inline constexpr int kMergeAll = 32853;
inline constexpr int kMergeAllTop = 32863;
inline constexpr int kResetBoth = 32852;

// Writing and checking
inline constexpr int kCheck = 32860;
inline constexpr int kHint = 32869;
inline constexpr int kCompareOptions = 32826;
inline constexpr int kResetListenWrite = 32797;
inline constexpr int kCopyOriginal = 32858;
inline constexpr int kCopyToOriginal = 32859;
inline constexpr int kMoveRest = 32865;
inline constexpr int kGroupNext = 1122;
inline constexpr int kGroupAll = 1128;
inline constexpr int kGroupSplitLast = 1124;
inline constexpr int kGroupDissolve = 1123;

// List modes
inline constexpr int kListAll = 32793;
inline constexpr int kListHighlighted = 32794;
inline constexpr int kListRandom = 32841;

// Fonts, colours and languages
inline constexpr int kFont = 32801;
inline constexpr int kListenWriteColor = 32830;
inline constexpr int kListenWriteTextColor = 32808;
inline constexpr int kListenWriteBackground = 32807;
inline constexpr int kOriginalColor = 32831;
inline constexpr int kOriginalBackground = 32809;
inline constexpr int kLanguageEnglish = 501;
inline constexpr int kLanguageJapanese = 502;
inline constexpr int kLanguageChineseSimplified = 503;
inline constexpr int kLanguageChineseTraditional = 504;
inline constexpr int kLanguageKorean = 505;

// Menus and popups
inline constexpr int kMenu = 1021;
inline constexpr int kOpenButton = 108;
inline constexpr int kSaveButton = 109;
inline constexpr int kAboutButton = 110;
inline constexpr int kLogo = 1203;
inline constexpr int kSpectrum = 32854;

// Files, scripts, export, partition, dictionary
inline constexpr int kImportAudio = 107;
inline constexpr int kNewStudy = 57600;
inline constexpr int kOpenStudy = 57601;
inline constexpr int kSaveStudyAs = 57604;
inline constexpr int kReplaceAudio = 32851;
inline constexpr int kLocateAudio = 888;
inline constexpr int kNewStudyFromAudio = 777;
inline constexpr int kImportScript = 1063;
inline constexpr int kExportScript = 1164;
inline constexpr int kImportScriptMenu = 32804;
inline constexpr int kExportScriptMenu = 32803;
inline constexpr int kImportSubtitles = 33170;
inline constexpr int kExportSubtitles = 33171;
inline constexpr int kSentencePadding = 33172;
inline constexpr int kExportMp3Button = 1012;
inline constexpr int kExportMp3 = 32832;
inline constexpr int kExportSentenceMp3 = 32867;
inline constexpr int kAutoPartition = 32840;
inline constexpr int kDictionaryPath = 32810;
inline constexpr int kUnbound = 1019;
// The recent-file list of the open popup: first to eighth entry.
inline constexpr int kRecentFile1 = 57616;
inline constexpr int kRecentFileLast = 57623;

// Help and frame commands
inline constexpr int kHowToUse = 32857;
inline constexpr int kHotKeys = 32829;
inline constexpr int kAbout = 32823;

} // namespace cmd
