#include "skin/CTitlePicture.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

// The resource lives in a static library: its registration must be pulled in by name.
static void InitTitleResource() {
    Q_INIT_RESOURCE(title);
}

namespace {

bool g_enabled = true;
// The picture shown; it clears this itself when it goes, however it goes (its owner may
// take it along).
CTitlePicture* g_current = nullptr;

// Routes every event of the application through TitlePictureFilter while a picture is
// shown.
class TitleEventFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        (void)watched;
        return CTitlePicture::TitlePictureFilter(event);
    }
};

TitleEventFilter& Filter() {
    static TitleEventFilter* filter = new TitleEventFilter();
    return *filter;
}

bool ClosesPicture(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true;
    default:
        return false;
    }
}

QRect CentreRect(QWidget* owner, QSize size) {
    QRect area;
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(area.center());
    return rect;
}

} // namespace

void CTitlePicture::EnableTitlePicture(bool enable) {
    g_enabled = enable;
}

bool CTitlePicture::TitlePictureEnabled() {
    return g_enabled;
}

CTitlePicture::CTitlePicture(QWidget* owner, bool closesByItself)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint), m_owner(owner) {
    InitTitleResource();
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    m_picture.load(QStringLiteral(":/earlark/title.png"));
    QSize size = m_picture.isNull() ? QSize(kWidth, kHeight) : m_picture.size();
    setGeometry(CentreRect(owner, size));
    if (closesByItself) {
        m_timer = new QTimer(this);
        m_timer->setSingleShot(true);
        m_timer->setTimerType(Qt::PreciseTimer);
        connect(m_timer, &QTimer::timeout, this, [] { CloseTitlePicture(); });
        m_timer->start(kCloseAfterMs);
    }
}

CTitlePicture::~CTitlePicture() {
    if (g_current == this) {
        g_current = nullptr;
        qApp->removeEventFilter(&Filter());
    }
}

void CTitlePicture::ShowTitlePicture(QWidget* owner, bool closesByItself) {
    if (!g_enabled || g_current) {
        return;
    }
    g_current = new CTitlePicture(owner, closesByItself);
    qApp->installEventFilter(&Filter());
    g_current->show();
    g_current->raise();
}

void CTitlePicture::CloseTitlePicture() {
    qApp->removeEventFilter(&Filter());
    if (!g_current) {
        return;
    }
    CTitlePicture* picture = g_current;
    g_current = nullptr;
    QPointer<QWidget> owner = picture->m_owner;
    picture->close();
    if (owner) {
        owner->update();
    }
}

void CTitlePicture::StopTitleTimer() {
    if (g_current && g_current->m_timer) {
        g_current->m_timer->stop();
    }
}

bool CTitlePicture::TitlePictureFilter(QEvent* event) {
    if (g_current && event->type() == QEvent::ShortcutOverride) {
        // Claim the key, so that it arrives as a key press (and closes the picture)
        // instead of firing a shortcut behind it.
        event->accept();
        return true;
    }
    if (!g_current || !ClosesPicture(event->type())) {
        return false;
    }
    CloseTitlePicture();
    return true;
}

CTitlePicture* CTitlePicture::Current() {
    return g_current;
}

QIcon CTitlePicture::ProgramIcon() {
    InitTitleResource();
    return QIcon(QStringLiteral(":/earlark/icon.png"));
}

bool CTitlePicture::TimerRunning() const {
    return m_timer && m_timer->isActive();
}

void CTitlePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(rect(), QColor(20, 33, 61));
        return;
    }
    painter.drawImage(rect(), m_picture);
}
