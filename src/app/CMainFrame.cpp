#include "app/CMainFrame.h"

#include "app/AppMessages.h"
#include "app/CEarlarkApp.h"
#include "document/CEarlarkDoc.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeySequence>
#include <QListWidget>
#include <QUrl>

namespace {

QString SentenceRow(int index, const CEarlarkWaveSection& section) {
    QString text = QString::fromStdU16String(section.m_strOriginal).replace('\r', ' ');
    QString mark = section.IsWholeRecording() ? "!" : section.IsHighlighted() ? "+" : " ";
    return QStringLiteral("%1%2  %3").arg(mark).arg(index + 1, 4).arg(text);
}

} // namespace

CMainFrame::CMainFrame(CEarlarkApp& app, CEarlarkDoc& doc)
    : m_app(app), m_doc(doc), m_list(new QListWidget(this)) {
    setCentralWidget(m_list);
    setMinimumSize(590, 420);
    resize(800, 560);
    AddCommands();
    Refresh();
}

void CMainFrame::AddCommands() {
    auto add = [this](const QKeySequence& keys, auto handler) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    add(QKeySequence::Open, [this] {
        m_app.OnFileOpen();
        Refresh();
    });
    add(QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        m_doc.DoFileSave();
        Refresh();
    });
    add(QKeySequence::HelpContents, [this] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_app.HelpPath())));
    });
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] {
        m_doc.DoSave({});
        Refresh();
    });
}

void CMainFrame::Refresh() {
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + " - " + app_messages::kAppTitle);
    m_list->clear();
    for (int i = 0; i < m_doc.m_sections.GetSize(); ++i) {
        m_list->addItem(SentenceRow(i, *m_doc.m_sections.GetAt(i)));
    }
    if (m_list->count() > 0) {
        m_list->setCurrentRow(std::clamp(m_doc.m_nCurSentence, 0, m_list->count() - 1));
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_doc.SaveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}
