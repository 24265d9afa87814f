#pragma once

#include <optional>

class SettingsStore;

// A window's outer rectangle in screen coordinates; right and bottom are exclusive.
struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const FrameRect&) const = default;
};

// The edge or corner being dragged while the user resizes the frame.
enum class SizingEdge { Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

// Where the main frame was last time ("Main Frame" in the settings), and the smallest
// size it may take.
class FramePlacement {
public:
    static constexpr int kMinWidth = 590;
    static constexpr int kMinHeight = 420;

    // The rectangle to move the frame to, or none when "LEFT" is negative (first start):
    // then the frame stays centred. TOP, RIGHT and BOTTOM default to the current edges.
    static std::optional<FrameRect> Restore(const SettingsStore& settings,
                                            const FrameRect& current);
    // A maximised frame records only that; a minimised one keeps the stored rectangle;
    // otherwise the rectangle is stored. Either way only a maximised frame is remembered
    // as maximised.
    static void Save(SettingsStore& settings, const FrameRect& outer, bool maximised,
                     bool minimised);
    // Keeps a rectangle being resized at the minimum size by moving the dragged edge;
    // the opposite edge stays where it is.
    static FrameRect ApplyMinimumSize(FrameRect rect, SizingEdge edge);
};
