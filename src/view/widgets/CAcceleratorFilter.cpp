#include "view/widgets/CAcceleratorFilter.h"

#include "view/AcceleratorTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

CAcceleratorFilter::CAcceleratorFilter(QWidget* form, CommandHandler handler)
    : QObject(form), m_form(form), m_handler(std::move(handler)) {
    for (const Accelerator& entry : AcceleratorTable::Entries()) {
        if (std::optional<KeyChord> chord = AcceleratorKeys::Parse(entry.key)) {
            m_bindings.push_back({*chord, entry.command});
        }
    }
    qApp->installEventFilter(this);
}

CAcceleratorFilter::~CAcceleratorFilter() {
    qApp->removeEventFilter(this);
}

std::optional<int> CAcceleratorFilter::CommandOf(const KeyChord& chord) const {
    for (const Binding& binding : m_bindings) {
        if (binding.chord == chord) {
            return binding.command;
        }
    }
    return std::nullopt;
}

// Popup menus and dialogs are windows of their own and keep their keys.
bool CAcceleratorFilter::IsInFormWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == m_form->window();
}

bool CAcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) {
        return false;
    }
    if (!IsInFormWindow(watched)) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    std::optional<int> command = CommandOf(AcceleratorKeys::FromEvent(*key));
    if (!command) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Accepted: the key comes as a key press instead of going to a shortcut.
        event->accept();
        return true;
    }
    m_handler(*command, AcceleratorKeys::ToKeyModifiers(key->modifiers()));
    return true;
}
