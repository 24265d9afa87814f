#pragma once

#include <span>

// Which skin object each skinned control of the study form takes. The object list of a
// skin defines these numbers; buttons beyond the first 27 take numbers from 71 on, clear
// of the ranges kept for displays (31 to 37), glyph strips (41 to 44), content areas
// (61 to 70) and frame pieces (101 to 120).
struct SkinButtonObject {
    int controlId;
    int objectNumber;
    bool toggle;
    const char* name;
};

struct SkinDisplayObject {
    int controlId;
    int displayNumber;
    int glyphStrip;
    int contentArea;
    const char* name;
};

namespace skin_objects {

inline constexpr SkinButtonObject kButtons[] = {
    {1001, 1, false, "Play"},
    {1029, 2, false, "Pause"},
    {1096, 3, false, "Stop"},
    {1016, 4, false, "Previous Sentence"},
    {1017, 5, false, "Next Sentence"},
    {1061, 6, false, "First Sentence"},
    {1062, 7, false, "Last Sentence"},
    {1022, 8, false, "Repetition Up"},
    {1023, 9, false, "Repetition Down"},
    {1024, 10, false, "Interval Up"},
    {1025, 11, false, "Interval Down"},
    {1026, 12, false, "Faster"},
    {1027, 13, false, "Slower"},
    {1020, 14, true, "Auto-Play"},
    {1101, 15, true, "Show Original Text"},
    {32861, 16, true, "Compare Mode"},
    {1031, 17, true, "Listen-and-Speak Mode"},
    {121, 18, true, "Highlight"},
    {1010, 19, false, "Insert Sentence"},
    {1018, 20, false, "Delete Sentence"},
    {1004, 21, false, "Merge With Next"},
    {1006, 22, false, "Split"},
    {1046, 23, false, "Start Earlier"},
    {1047, 24, false, "Start Later"},
    {1048, 25, false, "End Earlier"},
    {1049, 26, false, "End Later"},
    {1021, 27, false, "Menu"},
    {1063, 71, false, "Import Script"},
    {1164, 72, false, "Export Script"},
    {108, 73, false, "Open Study File"},
    {109, 74, false, "Save Study File"},
    {110, 75, false, "Help and About"},
    {1034, 76, false, "Volume Down"},
    {1035, 77, false, "Volume Up"},
    {1012, 78, false, "Export To MP3"},
    {1202, 79, false, "Play Attached Clip"},
    {2202, 80, true, "Phrase-by-Phrase Play"},
    {1203, 81, false, "Velmora on Web"},
    {111, 82, false, "E-mail && Website"},
    {114, 83, false, "Volume Control"},
};

inline constexpr SkinDisplayObject kDisplays[] = {
    {1083, 31, 41, 61, "Time"},        {1089, 32, 43, 62, "Spectrum"},
    {1084, 33, 42, 63, "Repetitions"}, {1085, 34, 42, 64, "Interval"},
    {1086, 35, 42, 65, "Speed"},       {1088, 36, 42, 66, "Sentence"},
    {1090, 37, 44, 67, "Volume"},
};

} // namespace skin_objects
