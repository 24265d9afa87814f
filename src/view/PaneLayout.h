#pragma once

// Rectangles of the study form in client pixels.
struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PaneRect&) const = default;
};

// The skin's inner margins around the panes and the gap between two panes.
struct PaneMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int gap = 0;
};

// Where the sentence list and the two text boxes go. A hidden Original Text box keeps
// its place with height 0; a hidden list gets an empty rectangle.
struct PaneLayout {
    PaneRect list;
    PaneRect listenWrite;
    PaneRect original;
    bool listVisible = true;

    // The panes for a client area of cx by cy pixels.
    static PaneLayout Compute(int cx, int cy, const PaneMargins& margins, bool listShown,
                              bool originalShown);
};
