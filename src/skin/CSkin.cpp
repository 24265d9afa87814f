#include "skin/CSkin.h"

#include "skin/SkinObjectList.h"
#include "skin/SkinTarget.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr const char* kBitmapSuffixes[] = {"_off.bmp", "_over.bmp", "_click.bmp", "_on.bmp"};

// Skin coordinates are kept within a range no bitmap reaches, so that the controls'
// arithmetic on them (a glyph's offset, twenty bars of a pitch) cannot overflow.
constexpr int kCoordinateLimit = 100000;

QRect ToRect(const SkinObject& object) {
    auto place = [](int v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); };
    auto size = [](int v) { return std::clamp(v, 0, kCoordinateLimit); };
    return {place(object.x), place(object.y), size(object.w), size(object.h)};
}

int ResultOf(SkinLookupStatus status) {
    switch (status) {
    case SkinLookupStatus::Found:
    case SkinLookupStatus::Absent:
        return 1;
    case SkinLookupStatus::Unreadable:
    case SkinLookupStatus::Invalid:
        return -1;
    }
    return -1;
}

} // namespace

bool CSkin::LoadSkin(const std::string& programFolder, const std::string& name) {
    std::string prefix = programFolder + "Skins/" + name;
    for (size_t i = 0; i < m_bitmaps.size(); ++i) {
        QImage image(QString::fromStdString(prefix + kBitmapSuffixes[i]), "BMP");
        if (image.isNull()) {
            return false;
        }
        m_bitmaps[i] = image.convertToFormat(QImage::Format_RGB32);
    }
    m_objectListPath = prefix + "_objectlist.txt";
    // Without its object list a skin places nothing, and the window would be unusable.
    if (!std::ifstream(m_objectListPath)) {
        return false;
    }
    for (int i = 0; i < kFramePieceCount; ++i) {
        m_framePieces[i] = QRect();
        ApplySkinObject(m_framePieces[i], kFirstFramePiece + i);
    }
    return true;
}

void CSkin::UnloadSkin() {
    for (QImage& image : m_bitmaps) {
        image = QImage();
    }
}

bool CSkin::IsLoaded() const {
    for (const QImage& image : m_bitmaps) {
        if (image.isNull()) {
            return false;
        }
    }
    return true;
}

int CSkin::ApplySkinObject(SkinTarget& target, int id) const {
    SkinLookup lookup = SkinObjectList::Find(m_objectListPath, id);
    if (lookup.status != SkinLookupStatus::Found) {
        return ResultOf(lookup.status);
    }
    const SkinObject& object = lookup.object;
    switch (object.type) {
    case 1:
    case 2:
    case 3:
        target.SetSkinRect(object.type, object.id, ToRect(object));
        break;
    case 5:
        target.SetGlyphStrip(ToRect(object));
        break;
    case 9:
        target.SetContentArea(ToRect(object));
        break;
    default:
        // Types 4, 6, 7, 8 are accepted and not applied; 10 names plain rectangles.
        break;
    }
    return 1;
}

int CSkin::ApplySkinObject(QRect& rect, int id) const {
    SkinLookup lookup = SkinObjectList::Find(m_objectListPath, id);
    if (lookup.status == SkinLookupStatus::Found && lookup.object.type == 10) {
        rect = ToRect(lookup.object);
    }
    return ResultOf(lookup.status);
}

const QImage& CSkin::Bitmap(SkinBitmap which) const {
    return m_bitmaps[static_cast<size_t>(which)];
}

QRect CSkin::FramePiece(int objectNumber) const {
    int index = objectNumber - kFirstFramePiece;
    if (index < 0 || index >= kFramePieceCount) {
        return {};
    }
    return m_framePieces[index];
}
