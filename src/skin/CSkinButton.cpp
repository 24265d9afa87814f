#include "skin/CSkinButton.h"

#include "skin/SkinHover.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

CSkinButton::CSkinButton(const CSkin& skin, QWidget* parent)
    : QAbstractButton(parent), m_skin(skin) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CSkinButton::~CSkinButton() {
    SkinHover::Forget(this);
}

void CSkinButton::SetSkinRect(int type, int objectNumber, const QRect& rect) {
    (void)objectNumber;
    m_type = type;
    m_sourceX = rect.x();
    m_sourceY = rect.y();
    m_width = std::max(rect.width(), 0);
    m_height = std::max(rect.height(), 0);
    setGeometry(m_sourceX, m_sourceY, m_width, m_height);
}

void CSkinButton::SetOn(bool on) {
    m_on = on;
    repaint();
}

SkinBitmap CSkinButton::PictureFor(bool pressed, bool hover) const {
    if (!isEnabled()) {
        return SkinBitmap::Off;
    }
    if (pressed) {
        return SkinBitmap::Click;
    }
    if (hover) {
        return m_on ? SkinBitmap::On : SkinBitmap::Over;
    }
    return m_on ? SkinBitmap::On : SkinBitmap::Off;
}

bool CSkinButton::IsHoverPainted() const {
    if (SkinHover::Hovered() != this || !window()->isActiveWindow()) {
        return false;
    }
    QRect global(mapToGlobal(QPoint(0, 0)), size());
    return global.contains(SkinHover::PointerPosition());
}

SkinBitmap CSkinButton::CurrentPicture() const {
    return PictureFor(isDown(), IsHoverPainted());
}

bool CSkinButton::event(QEvent* event) {
    // Entering or moving over the button is where the pointer is hit-tested.
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        SkinHover::Claim(this);
    }
    return QAbstractButton::event(event);
}

void CSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_width > 0 && m_height > 0) {
        painter.drawImage(QPoint(0, 0), m_skin.Bitmap(CurrentPicture()),
                          QRect(m_sourceX, m_sourceY, m_width, m_height));
    }
}
