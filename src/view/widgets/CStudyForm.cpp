#include "view/widgets/CStudyForm.h"

#include "view/widgets/CCompareOptionsDlg.h"

#include "audio/SentencePadding.h"

#include <QInputDialog>

#include "skin/CSkin.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDisplay.h"
#include "skin/SkinControlSet.h"
#include "skin/SkinFramePainter.h"
#include "skin/SkinObjects.h"
#include "view/CEarlarkMainView.h"
#include "view/DictionaryCommands.h"
#include "view/widgets/CAcceleratorFilter.h"
#include "view/widgets/CLwBox.h"
#include "view/widgets/CSentenceListBox.h"
#include "view/widgets/ColorRef.h"
#include "view/widgets/FontChoiceMapping.h"
#include "view/widgets/MenuBuilder.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

namespace {

constexpr std::uint32_t kBlankTime = 0xFFFFFFFFu;

// The form's tooltips; a control without an entry has none.
constexpr std::pair<int, const char*> kTooltips[] = {
    {1001, "Play (F5)"},
    {1029, "Pause (F6)"},
    {1096, "Stop (Ctrl+F6)"},
    {1016, "Previous Sentence (F7)"},
    {1017, "Next Sentence (F8)"},
    {1061, "First Sentence (Ctrl+F7)"},
    {1062, "Last Sentence (Ctrl+F8)"},
    {1020, "Auto-play (F11)"},
    {1021, "Menu (F10)"},
    {1022, "Increase number of repetition (Ctrl+]) Repeat infinately (Ctrl+Shift+])"},
    {1023, "Decrease number of repetition (Ctrl+[)"},
    {1024, "Increase Interval (Alt+])"},
    {1025, "Decrease Interval (Alt+[)"},
    {1026, "Faster (Ctrl+Alt+]) (Ctrl+2)"},
    {1027, "Slower (Ctrl+Alt+[) (Ctrl+1)"},
    {1031, "Listen and Speak mode (Alt+R)"},
    {1101, "Show Original Text (F2)"},
    {32861, "Compare Mode (Shift+F2)"},
    {121, "Highlight (Ins)"},
    {1010, "Insert (Ctrl+Shift+Ins)"},
    {1018, "Delete (Ctrl+Shift+Del)"},
    {1004, "Merge (F3) Merge Upward (Shift+F3)"},
    {1006, "Split (F4) Serial Split (Shift+F4)"},
    {1063, "Import Script (Alt+F7)"},
    {1164, "Export Script (Alt+F8)"},
    {1012, "Export Audio file(*.mp3, *.wma)"},
    {1097, "Search in Mini-dictionary"},
    {108, "Open Study File (Ctrl+O) / Import Audio File(WAV,MP3,EKW) (Ctrl+N)"},
    {109, "Save Study File (Ctrl+S) Save As (Ctrl+Shift+S)"},
    {110, "About Earlark...."},
};

// Scroll bars in the deck's blues rather than the desktop's, so the panes read as one.
constexpr const char* kScrollBarStyle =
    "QScrollBar:vertical { background: rgb(28, 56, 110); width: 12px; margin: 0; }"
    "QScrollBar::handle:vertical { background: rgb(96, 136, 200); min-height: 24px;"
    " border-radius: 4px; margin: 1px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

QRect ToRect(const PaneRect& pane) {
    return QRect(pane.x, pane.y, pane.width, pane.height);
}

} // namespace

CStudyForm::CStudyForm(const CSkin& skin, QWidget* parent)
    : QWidget(parent), m_skin(skin), m_controls(new SkinControlSet(skin, this)),
      m_list(new CSentenceListBox(this)), m_listenWrite(new CLwBox(this)),
      m_original(new CLwBox(this)), m_dictionary(new QComboBox(this)),
      m_keys(new CAcceleratorFilter(
          this, [this](int id, KeyModifiers modifiers) { RunCommand(id, modifiers); })) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_controls->ApplySkin();
    connect(m_controls, &SkinControlSet::commandTriggered, this, [this](int id) {
        RunCommand(id, AcceleratorKeys::ToKeyModifiers(QGuiApplication::keyboardModifiers()));
    });
    m_list->setObjectName("SentenceBox");
    connect(m_list, &CSentenceListBox::rowSelected, this, [this](int row) {
        if (m_view) {
            m_view->OnListSelect(row);
        }
        emit commandFinished();
    });
    connect(m_list, &CSentenceListBox::wordClicked, this,
            [this](int code, const QString& word, QPoint anchor, int lineHeight) {
                emit wordLookUp(code, word, m_list->viewport()->mapToGlobal(anchor), lineHeight);
            });
    // Every word reported for a look-up, whichever control found it, opens the popup.
    connect(this, &CStudyForm::wordLookUp, this,
            [this](int, const QString& word, QPoint anchor, int lineHeight) {
                if (m_view) {
                    m_view->Dictionary().LookUpWord(word.toStdString(), anchor.x(), anchor.y(),
                                                    lineHeight);
                }
            });
    CreateBoxes();
    m_dictionary->setEditable(true);
    m_dictionary->view()->setMinimumWidth(kDictionaryDropWidth);
    m_dictionary->setGeometry(0, 0, kDictionaryDropWidth, m_dictionary->sizeHint().height());
    m_dictionary->hide();
    ApplyTooltips();
    for (QAbstractScrollArea* pane :
         std::initializer_list<QAbstractScrollArea*>{m_list, m_listenWrite, m_original}) {
        pane->verticalScrollBar()->setStyleSheet(kScrollBarStyle);
    }
}

CStudyForm::~CStudyForm() = default;

void CStudyForm::CreateBoxes() {
    m_listenWrite->setObjectName("ListenWriteBox");
    m_original->setObjectName("OriginalTextBox");
    for (CLwBox* box : {m_listenWrite, m_original}) {
        connect(box, &CLwBox::commandRequested, this, &CStudyForm::RunCommand);
        connect(box, &CLwBox::wheelTurned, this, &CStudyForm::Wheel);
        connect(box, &CLwBox::lookupRequested, this,
                [this](const QString& word, const QPoint& anchor, int lineHeight) {
                    emit wordLookUp(2, word, anchor, lineHeight);
                });
    }
}

void CStudyForm::ApplyTooltips() {
    for (const SkinButtonObject& entry : skin_objects::kButtons) {
        m_controls->Button(entry.controlId)->setToolTip({});
    }
    for (const auto& [id, text] : kTooltips) {
        if (QWidget* control = Control(id)) {
            control->setToolTip(QString::fromUtf8(text));
        }
    }
}

QWidget* CStudyForm::Control(int id) const {
    switch (id) {
    case kListId:
        return m_list;
    case kListenWriteId:
        return m_listenWrite;
    case kOriginalId:
        return m_original;
    case kDictionaryId:
        return m_dictionary;
    default:
        break;
    }
    if (QWidget* button = m_controls->Button(id)) {
        return button;
    }
    return m_controls->Display(id);
}

void CStudyForm::SetView(CEarlarkMainView* view) {
    m_view = view;
    m_list->SetRows(view ? &view->State().rows : nullptr);
}

void CStudyForm::SetRecentFiles(std::function<std::vector<std::string>()> recentFiles) {
    m_recentFiles = std::move(recentFiles);
}

void CStudyForm::RunCommand(int id, KeyModifiers modifiers) {
    emit commandIssued(id, modifiers);
    if (m_view) {
        m_view->OnCommand(id, modifiers);
    }
    emit commandFinished();
}

void CStudyForm::Wheel(int delta, bool shift) {
    if (m_view) {
        m_view->OnWheel(delta, shift);
    }
}

PaneMargins CStudyForm::Margins() const {
    const SkinMargins m = SkinFramePainter::Margins(m_skin);
    return {m.left, m.top, m.right, m.bottom, m.gap};
}

void CStudyForm::SetPaneLayout(const PaneLayout& layout) {
    m_layout = layout;
    m_list->setVisible(layout.listVisible);
    m_list->setGeometry(ToRect(layout.list));
    m_listenWrite->setGeometry(ToRect(layout.listenWrite));
    // The hidden Original Text keeps its place, 0 pixels high.
    m_original->setGeometry(ToRect(layout.original));
    update();
}

void CStudyForm::Repaint() {
    update();
}

std::optional<int> CStudyForm::PopupMenu(const MenuModel& model, int belowControlId) {
    QWidget* anchor = Control(belowControlId);
    if (!anchor) {
        anchor = this;
    }
    QMenu menu(this);
    MenuBuilder::Fill(menu, model);
    const int id =
        MenuBuilder::CommandOf(menu.exec(anchor->mapToGlobal(QPoint(0, anchor->height() + 1))));
    return id != 0 ? std::optional<int>(id) : std::nullopt;
}

std::optional<FontChoice> CStudyForm::ChooseFont(const FontChoice& initial) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontChoiceMapping::ToQFont(initial), this,
                                              tr("Font"), QFontDialog::ScalableFonts);
    if (!ok) {
        return std::nullopt;
    }
    return FontChoiceMapping::FromQFont(chosen, initial);
}

std::optional<std::uint32_t> CStudyForm::ChooseColor(std::uint32_t initial) {
    const QColor chosen = QColorDialog::getColor(ColorRef::ToQColor(initial), this);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return ColorRef::FromQColor(chosen);
}

std::optional<CompareChoice> CStudyForm::ChooseCompareOptions(const CompareChoice& initial) {
    CCompareOptionsDlg dialog(initial, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

std::optional<int> CStudyForm::ChoosePadding(int ms) {
    bool ok = false;
    const int chosen = QInputDialog::getInt(
        this, tr("Sentence Padding"), tr("Lead-in and tail around every sentence (milliseconds):"),
        ms, 0, SentencePadding::kMaxMs, SentencePadding::kStepMs, &ok);
    return ok ? std::optional<int>(SentencePadding::ValidMs(chosen)) : std::nullopt;
}

void CStudyForm::SetTopmost(bool topmost) {
    emit topmostRequested(topmost);
}

void CStudyForm::OpenUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

// The command runs from the event loop, after the one being handled has returned.
void CStudyForm::PostCommand(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { RunCommand(id, {}); }, Qt::QueuedConnection);
}

void CStudyForm::SendFrameCommand(int id) {
    emit frameCommand(id);
}

std::vector<std::string> CStudyForm::RecentFiles() const {
    return m_recentFiles ? m_recentFiles() : std::vector<std::string>{};
}

void CStudyForm::SetTime(std::uint32_t value, std::uint32_t bytesPerSecond) {
    const std::int64_t position = value == kBlankTime ? -1 : static_cast<std::int64_t>(value);
    m_controls->Display(1083)->SetPosition(position, bytesPerSecond);
}

void CStudyForm::SetCounter(int position, int count) {
    m_controls->Display(1088)->SetCounter(position, count);
}

void CStudyForm::SetRepetitions(int repetitions) {
    m_controls->Display(1084)->SetRepetitions(repetitions);
}

void CStudyForm::SetInterval(int tenths) {
    m_controls->Display(1085)->SetInterval(tenths);
}

void CStudyForm::SetSpeed(int percent) {
    m_controls->Display(1086)->SetSpeed(percent);
}

void CStudyForm::SetVolume(int volume) {
    m_controls->Display(1090)->SetVolume(volume);
}

void CStudyForm::SetSpectrum(std::span<const int> levels) {
    m_controls->Display(1089)->SetLevels(levels);
}

void CStudyForm::SetButtonOn(int controlId, bool on) {
    if (CSkinButton* button = m_controls->Button(controlId)) {
        button->SetOn(on);
    }
}

// A hidden button uncovers the form, which repaints the frame behind it.
void CStudyForm::ShowButton(int controlId, bool visible) {
    if (CSkinButton* button = m_controls->Button(controlId)) {
        button->setVisible(visible);
    }
}

void CStudyForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    SkinFramePainter::DrawFrame(painter, m_skin, size());
    if (m_layout.listVisible) {
        SkinFramePainter::DrawSeparator(painter, m_skin, size(),
                                        m_layout.list.y + m_layout.list.height);
    }
    if (m_layout.original.height > 0) {
        SkinFramePainter::DrawSeparator(painter, m_skin, size(),
                                        m_layout.listenWrite.y + m_layout.listenWrite.height);
    }
}

void CStudyForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_view) {
        m_view->OnSize();
    }
}

void CStudyForm::wheelEvent(QWheelEvent* event) {
    Wheel(event->angleDelta().y(), event->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
}
