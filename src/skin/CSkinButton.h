#pragma once

#include "skin/CSkin.h"
#include "skin/SkinTarget.h"

#include <QAbstractButton>

// A button drawn from the skin bitmaps: its rectangle is copied out of the normal, hover,
// pressed or "on" bitmap by its state. A toggle button shows the "on" picture while on.
class CSkinButton : public QAbstractButton, public SkinTarget {
    Q_OBJECT
public:
    CSkinButton(const CSkin& skin, QWidget* parent);
    ~CSkinButton() override;

    void SetSkinRect(int type, int objectNumber, const QRect& rect) override;
    // Stores the toggle state and repaints at once.
    void SetOn(bool on);
    bool IsOn() const { return m_on; }
    int SkinType() const { return m_type; }

    // The bitmap the button is drawn from right now.
    SkinBitmap CurrentPicture() const;
    // The picture for a state, as the owner-draw call chooses it.
    SkinBitmap PictureFor(bool pressed, bool hover) const;
    bool IsHoverPainted() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    const CSkin& m_skin;
    int m_type = 0;
    int m_height = 0;
    int m_width = 0;
    int m_sourceY = 0;
    int m_sourceX = 0;
    bool m_on = false;
};
