#include "SkinLayout.h"

namespace layout {

std::vector<ButtonPlace> Buttons() {
    return {
        // Logo, then the file and help group at the right of the top tier.
        {81, {8, 8, 58, 56}},
        {73, {508, 8, 30, 26}},
        {74, {540, 8, 30, 26}},
        {75, {508, 38, 30, 26}},
        {82, {540, 38, 30, 26}},
        // Volume down, up and the mixer under the volume bar.
        {76, {398, 38, 30, 26}},
        {77, {430, 38, 30, 26}},
        {83, {466, 38, 30, 26}},
        // Transport: first, previous, play, pause, stop, next, last.
        {6, {8, 70, 32, 30}},
        {4, {42, 70, 32, 30}},
        {1, {76, 70, 44, 30}},
        {2, {122, 70, 32, 30}},
        {3, {156, 70, 32, 30}},
        {5, {190, 70, 32, 30}},
        {7, {224, 70, 32, 30}},
        // Up and down beside the repetition, interval and speed displays.
        {8, {310, 70, 18, 15}},
        {9, {310, 85, 18, 15}},
        {10, {380, 70, 18, 15}},
        {11, {380, 85, 18, 15}},
        {12, {456, 70, 18, 15}},
        {13, {456, 85, 18, 15}},
        // The main-form menu.
        {27, {482, 70, 88, 30}},
        // Toggles: auto-play, original text, compare, listen-and-speak, highlight, phrase.
        {14, {8, 106, 29, 24}},
        {15, {39, 106, 29, 24}},
        {16, {70, 106, 29, 24}},
        {17, {101, 106, 29, 24}},
        {18, {132, 106, 29, 24}},
        {80, {163, 106, 29, 24}},
        // Sentence editing: insert, delete, merge, split; boundary nudges.
        {19, {200, 106, 25, 24}},
        {20, {227, 106, 25, 24}},
        {21, {254, 106, 25, 24}},
        {22, {281, 106, 25, 24}},
        {23, {314, 106, 27, 24}},
        {24, {343, 106, 27, 24}},
        {25, {372, 106, 27, 24}},
        {26, {401, 106, 27, 24}},
        // Script import and export, MP3 export, attached clip.
        {71, {436, 106, 28, 24}},
        {72, {466, 106, 28, 24}},
        {78, {502, 106, 32, 24}},
        {79, {538, 106, 32, 24}},
    };
}

std::vector<DisplayPlace> Displays() {
    return {
        {31, {76, 10, 94, 52}, "TIME", 41, 61, {82, 26, kLargePitch, kLargeDigit.height()}},
        {36, {174, 10, 82, 52}, "SENTENCE", 42, 66, {182, 30, kSmallPitch, 0}},
        {32, {272, 10, 110, 52}, QString(), 43, 62, {277, 12, kSpectrumPitch, kSpectrumRow}},
        {37, {398, 10, 98, 24}, "VOLUME", 44, 67, {402, 22, kVolumePitch, kVolumeRow}},
        {33, {264, 70, 44, 30}, "REPEAT", 42, 63, {270, 81, kSmallPitch, 0}},
        {34, {334, 70, 44, 30}, "INTERVAL", 42, 64, {345, 81, kSmallPitch, 0}},
        {35, {404, 70, 50, 30}, "SPEED", 42, 65, {409, 81, kSmallPitch, 0}},
    };
}

std::vector<Piece> GlyphStrips() {
    return {
        {41, {0, 180, kLargeDigit.width(), kLargeDigit.height()}, "large digits"},
        {42, {240, 180, kSmallDigit.width(), kSmallDigit.height()}, "small digits"},
        {43, {390, 170, kSpectrumPitch, kSpectrumRow}, "spectrum bars, unlit and lit"},
        {44, {240, 205, kVolumePitch, kVolumeRow}, "volume segments, unlit and lit"},
    };
}

std::vector<Piece> FramePieces() {
    const int t = kTopMargin;
    const int m = kSideMargin;
    return {
        {101, {0, 0, kDeckWidth, t}, "top-left corner: the deck"},
        {102, {kDeckWidth, 0, 8, t}, "top edge"},
        {103, {kDeckWidth + 8, 0, 14, t}, "top-right corner"},
        {104, {0, 150, m, 20}, "left piece"},
        {105, {12, 150, m, 8}, "left edge"},
        {106, {24, 150, m, 8}, "right edge"},
        {107, {36, 150, m, kBottomMargin}, "bottom-left corner"},
        {108, {48, 150, 8, kBottomMargin}, "bottom edge"},
        {109, {58, 150, m, kBottomMargin}, "bottom-right corner"},
        {111, {80, 150, 6, kGap}, "separator left"},
        {112, {88, 150, 8, kGap}, "separator middle"},
        {113, {98, 150, 6, kGap}, "separator right"},
    };
}

std::vector<QRect> DeckPanels() {
    return {
        {4, 67, 256, 36},    // transport
        {260, 67, 218, 36},  // repetition, interval, speed
        {4, 103, 192, 30},   // toggles
        {196, 103, 236, 30}, // editing
        {432, 103, 142, 30}, // scripts and export
    };
}

std::vector<QRect> LcdPanels() {
    return {
        {72, 6, 188, 60},
        {268, 6, 118, 60},
        {394, 6, 106, 30},
    };
}

} // namespace layout
