#include "qt/QtPrompts.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon ToQt(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

PromptAnswer FromQt(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return PromptAnswer::Cancel;
    }
}

int Run(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
        QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    QMessageBox box(icon, "Earlark 4.2", QString::fromStdString(text), buttons, parent);
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    }
    return box.exec();
}

} // namespace

void QtPrompts::ShowMessage(const std::string& text, PromptIcon icon) {
    Run(m_parent, ToQt(icon), text, QMessageBox::Ok);
}

PromptAnswer QtPrompts::AskYesNo(const std::string& text) {
    return FromQt(Run(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No));
}

PromptAnswer QtPrompts::AskYesNoDefaultNo(const std::string& text) {
    return FromQt(Run(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                      QMessageBox::No));
}

PromptAnswer QtPrompts::AskYesNoCancel(const std::string& text) {
    return FromQt(Run(m_parent, QMessageBox::Question, text,
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}
