#include "app/FramePlacement.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsTable.h"

#include <gtest/gtest.h>

namespace {

const FrameRect kCurrent{100, 50, 900, 650};

TEST(FramePlacementRestore, FirstStartKeepsTheCentredFrame) {
    MemorySettingsStore settings;
    EXPECT_FALSE(FramePlacement::Restore(settings, kCurrent));
    settings::kFrameLeft.Write(settings, -5);
    settings::kFrameTop.Write(settings, 10);
    EXPECT_FALSE(FramePlacement::Restore(settings, kCurrent));
}

TEST(FramePlacementRestore, LeftZeroIsAPositionAndMissingEdgesComeFromTheCurrentFrame) {
    MemorySettingsStore settings;
    settings::kFrameLeft.Write(settings, 0);
    settings::kFrameBottom.Write(settings, 700);
    auto rect = FramePlacement::Restore(settings, kCurrent);
    ASSERT_TRUE(rect);
    EXPECT_EQ(*rect, (FrameRect{0, 50, 900, 700}));
}

TEST(FramePlacementSave, StoresTheRectangleOfANormalFrame) {
    MemorySettingsStore settings;
    settings::kFrameZoomed.Write(settings, 1);
    FramePlacement::Save(settings, {10, 20, 700, 520}, false, false);
    EXPECT_EQ(FramePlacement::Restore(settings, kCurrent), (FrameRect{10, 20, 700, 520}));
    EXPECT_EQ(settings::kFrameZoomed.Read(settings), 0);
}

TEST(FramePlacementSave, AMaximisedFrameKeepsTheRectangleSavedBefore) {
    MemorySettingsStore settings;
    FramePlacement::Save(settings, {10, 20, 700, 520}, false, false);
    FramePlacement::Save(settings, {0, 0, 1920, 1080}, true, false);
    EXPECT_EQ(settings::kFrameZoomed.Read(settings), 1);
    EXPECT_EQ(FramePlacement::Restore(settings, kCurrent), (FrameRect{10, 20, 700, 520}));
}

TEST(FramePlacementSave, AFrameClosedMinimisedKeepsTheRectangleAndIsNotMaximisedNextTime) {
    MemorySettingsStore settings;
    FramePlacement::Save(settings, {10, 20, 700, 520}, false, false);
    settings::kFrameZoomed.Write(settings, 1);
    FramePlacement::Save(settings, {-32000, -32000, -31840, -31970}, false, true);
    EXPECT_EQ(FramePlacement::Restore(settings, kCurrent), (FrameRect{10, 20, 700, 520}));
    EXPECT_EQ(settings::kFrameZoomed.Read(settings), 0);
}

TEST(FramePlacementMinimum, TheDraggedEdgeMovesAndTheOppositeStays) {
    using enum SizingEdge;
    // Dragging the left edge to 300 wide leaves 590 with the right edge fixed.
    EXPECT_EQ(FramePlacement::ApplyMinimumSize({500, 100, 800, 700}, Left),
              (FrameRect{210, 100, 800, 700}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize({500, 100, 800, 700}, Right),
              (FrameRect{500, 100, 1090, 700}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize({0, 300, 800, 400}, Top),
              (FrameRect{0, -20, 800, 400}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize({0, 300, 800, 400}, Bottom),
              (FrameRect{0, 300, 800, 720}));
}

TEST(FramePlacementMinimum, CornersApplyBothRules) {
    using enum SizingEdge;
    const FrameRect small{100, 100, 200, 200};
    EXPECT_EQ(FramePlacement::ApplyMinimumSize(small, TopLeft), (FrameRect{-390, -220, 200, 200}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize(small, TopRight), (FrameRect{100, -220, 690, 200}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize(small, BottomLeft),
              (FrameRect{-390, 100, 200, 520}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize(small, BottomRight),
              (FrameRect{100, 100, 690, 520}));
}

TEST(FramePlacementMinimum, OnlyTheDimensionThatIsTooSmallChanges) {
    using enum SizingEdge;
    // Dragging a side edge never fixes the other dimension.
    EXPECT_EQ(FramePlacement::ApplyMinimumSize({0, 0, 300, 100}, Left),
              (FrameRect{-290, 0, 300, 100}));
    EXPECT_EQ(FramePlacement::ApplyMinimumSize({0, 0, 1000, 800}, TopLeft),
              (FrameRect{0, 0, 1000, 800}));
}

} // namespace
