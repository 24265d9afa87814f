#include "app/CMainFrame.h"
#include "view/widgets/CStudyDialogs.h"

#include "app/AppMessages.h"
#include "app/CEarlarkApp.h"
#include "document/CEarlarkDoc.h"
#include "skin/CTitlePicture.h"
#include "view/CEarlarkMainView.h"
#include "view/DictionaryCommands.h"
#include "view/MenuCommands.h"
#include "view/ViewCommandIds.h"
#include "view/widgets/CLwBox.h"
#include "view/widgets/CSentenceListBox.h"
#include "view/widgets/CStudyForm.h"
#include "view/widgets/QtDictionaryPort.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeySequence>
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

// The view goes before the form whose ports it holds.
CMainFrame::~CMainFrame() {
    if (CStudyForm* form = Form()) {
        form->SetView(nullptr);
    }
    m_view.reset();
}

// Every key of the study form comes through its accelerator table; F1 is the frame's.
void CMainFrame::AddCommands() {
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, [this] { OpenHelp(0); });
    addAction(help);
}

CStudyForm* CMainFrame::Form() const {
    return qobject_cast<CStudyForm*>(centralWidget());
}

void CMainFrame::RebuildView() {
    // The old view lets go of the document and the player before the new one takes them;
    // its form goes at the next turn of the event loop, since the command may come from
    // one of its own buttons.
    if (QWidget* previous = takeCentralWidget()) {
        if (auto* old = qobject_cast<CStudyForm*>(previous)) {
            old->SetView(nullptr);
        }
        previous->hide();
        previous->setParent(nullptr);
        previous->deleteLater();
    }
    m_view.reset();
    auto* form = new CStudyForm(m_skin, this);
    form->SetRecentFiles([this] { return m_app.RecentFiles().Entries(); });
    connect(form, &CStudyForm::frameCommand, this, &CMainFrame::OnViewCommand);
    connect(form, &CStudyForm::topmostRequested, this, &CMainFrame::SetTopmost);
    connect(form, &CStudyForm::commandFinished, this, &CMainFrame::UpdateTitle);
    const AppServices& services = m_app.Services();
    m_view = std::make_unique<CEarlarkMainView>(
        m_doc, m_app.Audio(),
        ViewPorts{form->List(), form->ListenWrite(), form->Original(), *form, *form,
                  services.prompts, services.fileDialogs, m_settings});
    m_studyDialogs = std::make_unique<CStudyDialogs>(this);
    m_view->SetStudyDialogs(m_studyDialogs->Ports());
    form->SetView(m_view.get());
    m_view->Dictionary().Attach(
        &m_app.Dictionary(),
        new QtDictionaryPort(*form, form->Dictionary(), m_app.Dictionary(), m_app.PopupSettings()));
    setCentralWidget(form);
    m_nViewKind = m_doc.m_nViewKind == 0 ? CEarlarkDoc::kStudyViewKind : m_doc.m_nViewKind;
    Refresh();
}

void CMainFrame::Refresh() {
    if (m_view) {
        m_view->OnInitialUpdate();
    }
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + " - " + app_messages::kAppTitle);
}

void CMainFrame::OnViewCommand(int id) {
    if (id == kStudyView || id == kRebuildView) {
        // Not while the old view is still handling the command that asked for it.
        QMetaObject::invokeMethod(this, &CMainFrame::RebuildView, Qt::QueuedConnection);
        return;
    }
    OnCommand(id);
}

void CMainFrame::OnCommand(int id) {
    if (id >= cmd::kRecentFile1 && id <= cmd::kRecentFileLast) {
        OpenRecent(id - cmd::kRecentFile1);
        return;
    }
    switch (id) {
    case kStudyView:
    case kRebuildView:
        RebuildView();
        break;
    case cmd::kNewStudy:
        ImportAudio();
        break;
    case cmd::kOpenStudy:
        if (m_app.OnFileOpen()) {
            Refresh();
        }
        break;
    case cmd::kNewStudyFromAudio:
        if (m_app.OnFileNew()) {
            Refresh();
        }
        break;
    case kAbout:
        CTitlePicture::ShowTitlePicture(this, false);
        break;
    case kMailWebButton:
        ShowMailWebMenu();
        break;
    case kMailUs:
        QDesktopServices::openUrl(QUrl(kSupportMail));
        break;
    case kWebPage:
    case kLogoButton:
        QDesktopServices::openUrl(QUrl(MenuCommands::kMakerWebPage));
        break;
    case kHowToUse:
        OpenHelp(0);
        break;
    case kHotKeys:
        OpenHelp(2);
        break;
    case kVolumeControl:
        StartVolumeControl();
        break;
    default:
        break;
    }
    UpdateTitle();
}

// Import Audio File: the recording becomes a new study, which the view then loads.
void CMainFrame::ImportAudio() {
    m_app.Audio().OnImportAudio([this] {
        const bool made = m_app.OnFileNew();
        if (made && m_view) {
            m_view->OnInitialUpdate();
        }
        return made;
    });
    UpdateTitle();
}

// A study that failed to open has reset the document (its list is empty then): the view
// shows the reset study rather than the texts of the one before.
void CMainFrame::OpenStudy(const std::string& path) {
    const bool opened = m_app.OpenDocumentFile(path);
    if (opened || (m_view && m_view->State().rows.IsEmpty())) {
        Refresh();
    }
}

void CMainFrame::OpenRecent(int index) {
    const auto& recent = m_app.RecentFiles().Entries();
    if (index >= 0 && index < static_cast<int>(recent.size())) {
        // A copy: opening reorders the recent list.
        OpenStudy(std::string(recent[index]));
    }
}

// Popup menu 345, below its deck button.
void CMainFrame::ShowMailWebMenu() {
    MenuModel menu;
    menu.items = {MenuItem{kMailUs, "&E-mail us...", false, {}},
                  MenuItem{kWebPage, "&Velmora on Web...", false, {}}};
    if (CStudyForm* form = Form()) {
        if (std::optional<int> chosen = form->PopupMenu(menu, kMailWebButton)) {
            OnCommand(*chosen);
        }
    }
}

// Topic 0 is the help's first page, topic 2 its hot-keys section.
void CMainFrame::OpenHelp(int topic) {
    const QString page = QString::fromStdString(m_app.HelpTopic(topic));
    const qsizetype hash = page.indexOf('#');
    QUrl url = QUrl::fromLocalFile(hash < 0 ? page : page.left(hash));
    if (hash >= 0) {
        url.setFragment(page.mid(hash + 1));
    }
    QDesktopServices::openUrl(url);
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
    OpenStudy(urls.front().toLocalFile().toStdString());
}

// The save question sees what was typed for the current sentence (the view commits it
// first); then the view writes its switches and the placement is saved.
void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    if (m_view) {
        m_view->OnDestroy();
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
