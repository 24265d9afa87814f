#include "app/FramePlacement.h"

#include "platform/SettingsTable.h"

std::optional<FrameRect> FramePlacement::Restore(const SettingsStore& settings,
                                                 const FrameRect& current) {
    int left = settings::kFrameLeft.Read(settings);
    if (left < 0) {
        return std::nullopt;
    }
    auto read = [&](const settings::IntSetting& setting, int currentEdge) {
        return settings.GetInt(setting.section, setting.name, currentEdge);
    };
    return FrameRect{left, read(settings::kFrameTop, current.top),
                     read(settings::kFrameRight, current.right),
                     read(settings::kFrameBottom, current.bottom)};
}

void FramePlacement::Save(SettingsStore& settings, const FrameRect& outer, bool maximised,
                          bool minimised) {
    if (maximised) {
        settings::kFrameZoomed.Write(settings, 1);
        return;
    }
    if (!minimised) {
        settings::kFrameLeft.Write(settings, outer.left);
        settings::kFrameTop.Write(settings, outer.top);
        settings::kFrameRight.Write(settings, outer.right);
        settings::kFrameBottom.Write(settings, outer.bottom);
    }
    settings::kFrameZoomed.Write(settings, 0);
}

FrameRect FramePlacement::ApplyMinimumSize(FrameRect rect, SizingEdge edge) {
    using enum SizingEdge;
    if (rect.Height() < kMinHeight) {
        if (edge == Top || edge == TopLeft || edge == TopRight) {
            rect.top = rect.bottom - kMinHeight;
        } else if (edge == Bottom || edge == BottomLeft || edge == BottomRight) {
            rect.bottom = rect.top + kMinHeight;
        }
    }
    if (rect.Width() < kMinWidth) {
        if (edge == Left || edge == TopLeft || edge == BottomLeft) {
            rect.left = rect.right - kMinWidth;
        } else if (edge == Right || edge == TopRight || edge == BottomRight) {
            rect.right = rect.left + kMinWidth;
        }
    }
    return rect;
}
