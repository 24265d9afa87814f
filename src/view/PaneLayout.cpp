#include "view/PaneLayout.h"

// Integer arithmetic throughout, so the panes land on the same pixels on every platform.
PaneLayout PaneLayout::Compute(int cx, int cy, const PaneMargins& m, bool listShown,
                               bool originalShown) {
    const int w = cx - m.left - m.right;
    const int h = cy - m.top - m.bottom;
    const int g = m.gap;
    PaneLayout layout;
    layout.listVisible = listShown;
    if (listShown) {
        layout.list = {m.left, m.top, w, h / 3 - g / 2};
        layout.listenWrite = {m.left, m.top + h / 3 + g / 2, w,
                              originalShown ? h / 3 - g : 2 * h / 3 - g / 2};
        layout.original = {m.left, m.top + 2 * h / 3 + g / 2, w, originalShown ? h / 3 - g / 2 : 0};
    } else {
        layout.listenWrite = {m.left, m.top, w, originalShown ? h / 2 - g / 2 : h};
        layout.original = {m.left, m.top + h / 2 + g / 2, w, originalShown ? h / 2 - g / 2 : 0};
    }
    return layout;
}
