#include "view/widgets/CDicPopupWnd.h"

#include "dictionary/DicPopupInput.h"
#include "dictionary/DicPopupLayout.h"
#include "dictionary/MiniDictionary.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <optional>

namespace {

// The popup shown; it clears this itself when it goes, however it goes (its owner may take
// it along).
CDicPopupWnd* g_current = nullptr;

const QColor kBackground(255, 255, 128);
constexpr int kMeaningTop = 20;
constexpr int kMeaningBottom = 400;

class PopupEventFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return CDicPopupWnd::DictionaryPopupFilter(watched, event);
    }
};

PopupEventFilter& Filter() {
    static auto* filter = new PopupEventFilter();
    return *filter;
}

popup_input::Key KeyOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return popup_input::Key::Left;
    case Qt::Key_Right:
        return popup_input::Key::Right;
    case Qt::Key_PageUp:
        return popup_input::Key::PageUp;
    case Qt::Key_PageDown:
        return popup_input::Key::PageDown;
    case Qt::Key_Escape:
        return popup_input::Key::Escape;
    default:
        return popup_input::Key::Other;
    }
}

std::optional<popup_input::Button> ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return popup_input::Button::Left;
    case Qt::RightButton:
        return popup_input::Button::Right;
    case Qt::MiddleButton:
        return popup_input::Button::Middle;
    default:
        return std::nullopt;
    }
}

// The popup's view of an event, or nothing for the events it leaves alone.
std::optional<popup_input::Message> MessageOf(QObject* watched, QEvent* event,
                                              const QWidget& popup) {
    popup_input::Message message;
    message.toPopup = watched == &popup;
    switch (event->type()) {
    case QEvent::KeyPress:
        message.kind = popup_input::Kind::KeyDown;
        message.key = KeyOf(static_cast<QKeyEvent*>(event)->key());
        return message;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto button = ButtonOf(mouse->button());
        if (!button) {
            return std::nullopt;
        }
        const bool client = event->type() == QEvent::MouseButtonPress ||
                            event->type() == QEvent::MouseButtonDblClick;
        message.kind =
            client ? popup_input::Kind::ClientButtonDown : popup_input::Kind::NonClientButtonDown;
        message.button = *button;
        const QPoint point = popup.mapFromGlobal(mouse->globalPosition().toPoint());
        message.x = point.x();
        message.y = point.y();
        return message;
    }
    default:
        return std::nullopt;
    }
}

PopupRect WorkAreaAt(QPoint point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

} // namespace

CDicPopupWnd::CDicPopupWnd(QWidget* owner, MiniDictionary& dictionary, DicPopupSettings& settings,
                           QPoint anchor, int lineHeight)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_content(dictionary, settings), m_settings(settings), m_anchor(anchor),
      m_lineHeight(lineHeight), m_timer(new QTimer(this)) {
    setObjectName("DictionaryPopup");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    m_normalFont = QFont(QStringLiteral("MS San Serif"));
    m_normalFont.setPixelSize(12);
    m_normalFont.setWeight(QFont::Normal);
    m_boldFont = m_normalFont;
    m_boldFont.setWeight(QFont::Bold);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [] { CloseDictionaryPopup(); });
}

CDicPopupWnd::~CDicPopupWnd() {
    if (g_current == this) {
        g_current = nullptr;
        qApp->removeEventFilter(&Filter());
    }
}

void CDicPopupWnd::ShowDictionaryPopup(QWidget* owner, MiniDictionary& dictionary,
                                       DicPopupSettings& settings, const std::string& word,
                                       QPoint anchor, int lineHeight) {
    if (!settings.Enabled() || g_current || !dictionary.DictionaryReady()) {
        return;
    }
    auto* popup = new CDicPopupWnd(owner, dictionary, settings, anchor, lineHeight);
    if (!popup->m_content.Lookup(word)) {
        delete popup;
        return;
    }
    g_current = popup;
    qApp->installEventFilter(&Filter());
    popup->Layout();
    popup->show();
}

void CDicPopupWnd::CloseDictionaryPopup() {
    if (CDicPopupWnd* popup = g_current) {
        g_current = nullptr;
        qApp->removeEventFilter(&Filter());
        popup->m_timer->stop();
        popup->close();
    }
}

CDicPopupWnd* CDicPopupWnd::Current() {
    return g_current;
}

bool CDicPopupWnd::TimerRunning() const {
    return m_timer->isActive();
}

int CDicPopupWnd::TimerInterval() const {
    return m_timer->interval();
}

bool CDicPopupWnd::DictionaryPopupFilter(QObject* watched, QEvent* event) {
    CDicPopupWnd* popup = g_current;
    if (popup == nullptr || !popup->m_settings.Enabled()) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The keys the popup takes arrive as key presses, not as shortcuts behind it; any
        // other key closes it before its shortcut runs.
        const bool taken = KeyOf(static_cast<QKeyEvent*>(event)->key()) != popup_input::Key::Other;
        if (taken) {
            event->accept();
        } else {
            CloseDictionaryPopup();
        }
        return taken;
    }
    auto message = MessageOf(watched, event, *popup);
    if (!message) {
        return false;
    }
    const popup_input::Decision decision = popup_input::Decide(*message);
    switch (decision.action) {
    case popup_input::Action::None:
        break;
    case popup_input::Action::Close:
        CloseDictionaryPopup();
        break;
    case popup_input::Action::StepBack:
    case popup_input::Action::StepForward:
        popup->Step(decision.action == popup_input::Action::StepForward);
        break;
    case popup_input::Action::LongerTime:
    case popup_input::Action::ShorterTime:
        popup->ChangeDisplayTime(decision.action == popup_input::Action::LongerTime ? 1 : -1);
        break;
    }
    return decision.consumed;
}

void CDicPopupWnd::Layout() {
    const QString meaning = QString::fromStdString(m_content.Meaning());
    const QRect text = QFontMetrics(m_normalFont)
                           .boundingRect(QRect(0, 0, popup_layout::kTextWidth, 1 << 20),
                                         Qt::TextWordWrap, meaning);
    const PopupRect rect = popup_layout::Place(m_anchor.x(), m_anchor.y(), m_lineHeight,
                                               text.height(), WorkAreaAt(m_anchor));
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_timer->start(m_settings.DisplayTime());
    update();
}

void CDicPopupWnd::Step(bool forward) {
    if (m_content.Step(forward)) {
        Layout();
    }
}

void CDicPopupWnd::ChangeDisplayTime(int direction) {
    m_content.ChangeDisplayTime(direction);
    Layout();
}

void CDicPopupWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    const auto top = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const QString headword = QString::fromStdString(m_content.Headword());
    painter.setFont(m_boldFont);
    painter.drawText(QRect(2, 1, width(), 20), top, headword);
    const int headwordWidth = QFontMetrics(m_boldFont).horizontalAdvance(headword);
    painter.setFont(m_normalFont);
    painter.drawText(QRect(headwordWidth + 7, 2, width(), 20), top,
                     QString::fromStdString(m_content.PartOfSpeech()));
    painter.drawText(QRect(popup_layout::kPreviousMark.left, 2, 12, 14), top, QStringLiteral("<"));
    painter.drawText(QRect(popup_layout::kNextMark.left, 2, 12, 14), top, QStringLiteral(">"));
    painter.drawText(QRect(2, kMeaningTop, popup_layout::kTextWidth, kMeaningBottom - kMeaningTop),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromStdString(m_content.Meaning()));
}
