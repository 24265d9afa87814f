#include "view/PaneLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneLayout, ThirdsWithTheListAndHalvesWithout) {
    const PaneMargins m{10, 60, 12, 14, 6};
    struct Case {
        bool list;
        bool original;
        PaneRect listRect;
        PaneRect lw;
        PaneRect orig;
    };
    // 800 x 600: inner width 778, inner height 526.
    for (const Case& c : {
             Case{true, true, {10, 60, 778, 172}, {10, 238, 778, 169}, {10, 413, 778, 172}},
             Case{true, false, {10, 60, 778, 172}, {10, 238, 778, 347}, {10, 413, 778, 0}},
             Case{false, true, {}, {10, 60, 778, 260}, {10, 326, 778, 260}},
             Case{false, false, {}, {10, 60, 778, 526}, {10, 326, 778, 0}},
         }) {
        PaneLayout layout = PaneLayout::Compute(800, 600, m, c.list, c.original);
        EXPECT_EQ(layout.listVisible, c.list);
        EXPECT_EQ(layout.list, c.listRect) << c.list << c.original;
        EXPECT_EQ(layout.listenWrite, c.lw) << c.list << c.original;
        EXPECT_EQ(layout.original, c.orig) << c.list << c.original;
    }
}

} // namespace
