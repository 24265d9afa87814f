#include "app/CPlainStudyView.h"

#include "document/CEarlarkDoc.h"
#include "skin/CSkin.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDisplay.h"
#include "skin/SkinControlSet.h"
#include "skin/SkinFramePainter.h"

#include <QListWidget>
#include <QPainter>
#include <algorithm>

namespace {

QString SentenceRow(int index, const CEarlarkWaveSection& section) {
    QString text = QString::fromStdU16String(section.m_strOriginal).replace('\r', ' ');
    QString mark = section.IsWholeRecording() ? "!" : section.IsHighlighted() ? "+" : " ";
    return QStringLiteral("%1%2  %3").arg(mark).arg(index + 1, 4).arg(text);
}

} // namespace

CPlainStudyView::CPlainStudyView(const CSkin& skin, CEarlarkDoc& doc, QWidget* parent)
    : QWidget(parent), m_skin(skin), m_doc(doc), m_controls(new SkinControlSet(skin, this)),
      m_list(new QListWidget(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_controls->ApplySkin();
    connect(m_controls, &SkinControlSet::commandTriggered, this,
            &CPlainStudyView::commandTriggered);
    m_list->setFrameShape(QFrame::NoFrame);
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, CSkin::BackgroundColor());
    palette.setColor(QPalette::Text, QColor(231, 222, 206));
    palette.setColor(QPalette::Highlight, QColor(252, 196, 84));
    palette.setColor(QPalette::HighlightedText, QColor(30, 20, 4));
    m_list->setPalette(palette);
    QFont font("DejaVu Sans");
    font.setPixelSize(15);
    m_list->setFont(font);
}

void CPlainStudyView::OnInitialUpdate() {
    ShowSettings();
    FillList();
}

void CPlainStudyView::ShowSettings() {
    auto display = [this](int id) { return m_controls->Display(id); };
    display(1083)->SetPosition(0, 0);
    display(1084)->SetRepetitions(m_doc.m_nRepeat);
    display(1085)->SetInterval(m_doc.m_nInterval);
    display(1086)->SetSpeed(m_doc.m_nSpeed);
    display(1089)->SetLevels({});
    display(1090)->SetVolume(m_doc.m_nVolume);
    const std::pair<int, std::uint32_t> toggles[] = {
        {1101, CEarlarkDoc::kShowOriginal},
        {1020, CEarlarkDoc::kAutoPlay},
        {32861, CEarlarkDoc::kCompareMode},
        {1031, CEarlarkDoc::kListenAndSpeak},
    };
    for (const auto& [id, bit] : toggles) {
        m_controls->Button(id)->SetOn((m_doc.m_nDisplayFlags & bit) != 0);
    }
}

void CPlainStudyView::FillList() {
    m_list->clear();
    const int count = m_doc.m_sections.GetSize();
    for (int i = 0; i < count; ++i) {
        m_list->addItem(SentenceRow(i, *m_doc.m_sections.GetAt(i)));
    }
    int current = count > 0 ? std::clamp(m_doc.m_nCurSentence, 0, count - 1) : -1;
    if (current >= 0) {
        m_list->setCurrentRow(current);
    }
    m_controls->Display(1088)->SetCounter(current + 1, count);
}

void CPlainStudyView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    SkinFramePainter::DrawFrame(painter, m_skin, size());
}

void CPlainStudyView::resizeEvent(QResizeEvent*) {
    m_list->setGeometry(SkinFramePainter::InnerRect(m_skin, size()));
}
