#include "qt/QtRichTextProbe.h"

#include <QTextCursor>
#include <QTextEdit>

RichTextStatus QtRichTextProbe::Probe() {
    QTextEdit edit;
    edit.setUndoRedoEnabled(true);
    edit.setPlainText(QStringLiteral("ab\ncd"));
    if (edit.document()->blockCount() != 2) {
        return RichTextStatus::Outdated;
    }
    QTextCursor cursor(edit.document());
    cursor.setPosition(1);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(QColor(255, 0, 0));
    cursor.mergeCharFormat(format);
    cursor.insertText(QStringLiteral("x"));
    if (!edit.document()->isUndoAvailable() || edit.toPlainText() != QStringLiteral("axd")) {
        return RichTextStatus::Outdated;
    }
    return RichTextStatus::Usable;
}
