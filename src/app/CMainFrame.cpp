#include "app/CMainFrame.h"

#include "app/AppMessages.h"
#include "app/CEarlarkApp.h"
#include "app/CPlainStudyView.h"
#include "document/CEarlarkDoc.h"
#include "skin/CSkinButton.h"
#include "skin/CTitlePicture.h"
#include "skin/SkinControlSet.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr const char* kSupportMail = "mailto:support@velmora.com?subject=Earlark%204.2";
constexpr const char* kWebAddress = "https://www.velmora.com/earlark";
const QSize kDefaultClientSize(800, 600);

} // namespace

CMainFrame::CMainFrame(CEarlarkApp& app, CEarlarkDoc& doc, const CSkin& skin,
                       SettingsStore& settings)
    : m_app(app), m_doc(doc), m_skin(skin), m_settings(settings) {
    setObjectName("EARLARKMAINCLASS");
    setWindowIcon(CTitlePicture::ProgramIcon());
    setMinimumSize(FramePlacement::kMinWidth, FramePlacement::kMinHeight);
    setAcceptDrops(true);
    RebuildView();
    AddCommands();
    CentreAndRestore();
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
    add(QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
        m_app.Audio().OnImportAudio([this] { return m_app.OnFileNew(); });
        Refresh();
    });
    add(QKeySequence(Qt::ALT | Qt::Key_M), [this] {
        m_app.Audio().OnReplaceAudio();
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

CPlainStudyView* CMainFrame::View() const {
    return qobject_cast<CPlainStudyView*>(centralWidget());
}

void CMainFrame::RebuildView() {
    // The study view is the only kind of view there is.
    auto* view = new CPlainStudyView(m_skin, m_doc, this);
    connect(view, &CPlainStudyView::commandTriggered, this, &CMainFrame::OnCommand);
    // The old view goes at the next turn of the event loop: the command may come from
    // one of its own buttons.
    setCentralWidget(view);
    m_nViewKind = m_doc.m_nViewKind == 0 ? CEarlarkDoc::kStudyViewKind : m_doc.m_nViewKind;
    Refresh();
}

void CMainFrame::Refresh() {
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + " - " + app_messages::kAppTitle);
    if (CPlainStudyView* view = View()) {
        view->OnInitialUpdate();
    }
}

void CMainFrame::OnCommand(int id) {
    switch (id) {
    case kStudyView:
    case kRebuildView:
        RebuildView();
        break;
    case kOpenButton:
        ShowOpenMenu();
        break;
    case kSaveButton:
        m_doc.DoFileSave();
        Refresh();
        break;
    case kAboutButton:
        PopupBelow(kAboutButton, {{"How to &Use...", kHowToUse},
                                  {"Hot &Keys", kHotKeys},
                                  {"&About Earlark...", kAbout}});
        break;
    case kAbout:
        CTitlePicture::ShowTitlePicture(this, false);
        break;
    case kMailWebButton:
        PopupBelow(kMailWebButton, {{"&E-mail us...", kMailUs}, {"&Velmora on Web...", kWebPage}});
        break;
    case kMailUs:
        QDesktopServices::openUrl(QUrl(kSupportMail));
        break;
    case kWebPage:
    case kLogoButton:
        QDesktopServices::openUrl(QUrl(kWebAddress));
        break;
    case kHowToUse:
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_app.HelpPath())));
        break;
    case kHotKeys: {
        QUrl url = QUrl::fromLocalFile(QString::fromStdString(m_app.HelpPath()));
        url.setFragment("hotkeys");
        QDesktopServices::openUrl(url);
        break;
    }
    case kVolumeControl:
        StartVolumeControl();
        break;
    default:
        break;
    }
}

// A popup menu left-aligned below a deck button, one pixel under its bottom edge.
void CMainFrame::PopupBelow(int controlId, const std::vector<std::pair<QString, int>>& items) {
    CPlainStudyView* view = View();
    CSkinButton* button = view ? view->Controls().Button(controlId) : nullptr;
    if (!button) {
        return;
    }
    QMenu menu(this);
    for (const auto& [text, id] : items) {
        QAction* action = menu.addAction(text);
        connect(action, &QAction::triggered, this, [this, id = id] { OnCommand(id); });
    }
    menu.exec(button->mapToGlobal(QPoint(0, button->height() + 1)));
}

void CMainFrame::ShowOpenMenu() {
    CSkinButton* button = View() ? View()->Controls().Button(kOpenButton) : nullptr;
    if (!button) {
        return;
    }
    QMenu menu(this);
    QAction* open = menu.addAction("&Open Study File...\tCtrl+O");
    connect(open, &QAction::triggered, this, [this] {
        m_app.OnFileOpen();
        Refresh();
    });
    const auto& recent = m_app.RecentFiles().Entries();
    if (!recent.empty()) {
        menu.addSeparator();
    }
    for (size_t i = 0; i < recent.size(); ++i) {
        QString path = QString::fromStdString(recent[i]);
        QAction* item = menu.addAction(QString("&%1 %2").arg(i + 1).arg(path));
        connect(item, &QAction::triggered, this, [this, path] {
            m_app.OpenDocumentFile(path.toStdString());
            Refresh();
        });
    }
    menu.exec(button->mapToGlobal(QPoint(0, button->height() + 1)));
}

// The platform's mixer: the first of the usual desktop programs that is installed.
void CMainFrame::StartVolumeControl() {
    const std::pair<QString, QStringList> programs[] = {
        {"pavucontrol", {}},
        {"gnome-control-center", {"sound"}},
        {"x-terminal-emulator", {"-e", "alsamixer"}},
    };
    for (const auto& [program, arguments] : programs) {
        if (!QStandardPaths::findExecutable(program).isEmpty() &&
            QProcess::startDetached(program, arguments)) {
            return;
        }
    }
}

void CMainFrame::SetTopmost(bool topmost) {
    if (topmost == windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        return;
    }
    const bool visible = isVisible();
    const QRect geometry = this->geometry();
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    setGeometry(geometry);
    if (visible) {
        show();
    }
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

FrameRect CMainFrame::OuterRect() const {
    QRect outer = frameGeometry();
    return {outer.left(), outer.top(), outer.left() + outer.width(), outer.top() + outer.height()};
}

QMargins CMainFrame::Decoration() const {
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void CMainFrame::MoveOuterTo(const FrameRect& outer) {
    QMargins m = Decoration();
    setGeometry(outer.left + m.left(), outer.top + m.top(),
                std::max(outer.Width() - m.left() - m.right(), 0),
                std::max(outer.Height() - m.top() - m.bottom(), 0));
}

void CMainFrame::CentreAndRestore() {
    create(); // the window system's decoration is known from here on where it can be
    resize(kDefaultClientSize);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // A small screen gets a smaller first window, never one below the minimum.
        QSize room = screen->availableGeometry().size() * 9 / 10;
        resize(kDefaultClientSize.boundedTo(room).expandedTo(minimumSize()));
        QRect centred(QPoint(0, 0), frameGeometry().size());
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
    m_restored = FramePlacement::Restore(m_settings, OuterRect());
    if (m_restored) {
        MoveOuterTo(*m_restored);
    }
}

// The minimum applies to the outer rectangle; the window system's decoration is known
// only once the window is shown.
void CMainFrame::UpdateMinimumSize() {
    QMargins m = Decoration();
    setMinimumSize(FramePlacement::kMinWidth - m.left() - m.right(),
                   FramePlacement::kMinHeight - m.top() - m.bottom());
}

void CMainFrame::SavePlacement() {
    FramePlacement::Save(m_settings, OuterRect(), isMaximized(), isMinimized());
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    UpdateMinimumSize();
    if (!m_shownOnce) {
        m_shownOnce = true;
        // Where the decoration became known only now, place the outer rectangle again.
        if (m_restored && !isMaximized()) {
            MoveOuterTo(*m_restored);
        }
        CTitlePicture::ShowTitlePicture(this, true);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

// A file dropped on the window opens as a study, whatever its extension: the study-file
// reader reports anything else as a damaged study.
void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    m_app.OpenDocumentFile(urls.front().toLocalFile().toStdString());
    Refresh();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    SavePlacement();
    event->accept();
}

// Where the platform reports the edge being dragged, the frame keeps its minimum by
// moving that edge; elsewhere the window manager does the same from the minimum size.
bool CMainFrame::nativeEvent(const QByteArray& type, void* message, qintptr* result) {
#ifdef Q_OS_WIN
    MSG* msg = static_cast<MSG*>(message);
    if (msg->message == WM_SIZING) {
        static const SizingEdge kEdges[] = {
            SizingEdge::Left,   SizingEdge::Left,       SizingEdge::Right,
            SizingEdge::Top,    SizingEdge::TopLeft,    SizingEdge::TopRight,
            SizingEdge::Bottom, SizingEdge::BottomLeft, SizingEdge::BottomRight};
        if (msg->wParam >= WMSZ_LEFT && msg->wParam <= WMSZ_BOTTOMRIGHT) {
            RECT* r = reinterpret_cast<RECT*>(msg->lParam);
            FrameRect rect = FramePlacement::ApplyMinimumSize(
                {r->left, r->top, r->right, r->bottom}, kEdges[msg->wParam]);
            *r = RECT{rect.left, rect.top, rect.right, rect.bottom};
        }
    }
#endif
    return QMainWindow::nativeEvent(type, message, result);
}
