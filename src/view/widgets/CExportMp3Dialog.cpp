#include "view/widgets/CExportMp3Dialog.h"

#include "export/Mp3ExportChoices.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using Options = Mp3ExportOptions;

CExportMp3Dialog::CExportMp3Dialog(Mp3ExportOptions& options, std::function<void()> onExport,
                                   QWidget* parent)
    : QDialog(parent), m_options(options), m_onExport(std::move(onExport)) {
    setWindowTitle(tr("Export to a new MP3 file"));
    auto* exportButton = new QPushButton(tr("&Export"), this);
    auto* cancelButton = new QPushButton(tr("&Cancel"), this);
    m_controls[Options::kExportButton] = exportButton;
    m_controls[Options::kCancelButton] = cancelButton;
    connect(exportButton, &QPushButton::clicked, this, &CExportMp3Dialog::Export);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FormatGroup());
    layout->addWidget(RangeGroup());
    layout->addWidget(OptionGroup());
    layout->addLayout(buttons);
    ApplyEnabling();
}

QWidget* CExportMp3Dialog::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

QWidget* CExportMp3Dialog::FormatGroup() {
    auto* group = new QGroupBox(tr("Export Format"), this);
    m_format = new QComboBox(group);
    for (int i = 0; i < mp3choices::kFormatCount; ++i) {
        m_format->addItem(QString::fromStdString(mp3choices::FormatText(i)));
    }
    // A stored index outside the list selects nothing.
    m_format->setCurrentIndex(m_options.formatIndex < m_format->count() ? m_options.formatIndex
                                                                        : -1);
    m_controls[Options::kFormatCombo] = m_format;
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(new QLabel(tr("Encoding format:"), group));
    layout->addWidget(m_format);
    return group;
}

QWidget* CExportMp3Dialog::RangeGroup() {
    auto* group = new QGroupBox(tr("Section Range"), this);
    auto* radios = new QButtonGroup(group);
    radios->addButton(Radio(Options::kExportAll, tr("Export &all")));
    radios->addButton(Radio(Options::kExportRange, tr("&Export range")));
    m_first = new QSpinBox(group);
    m_last = new QSpinBox(group);
    for (QSpinBox* spin : {m_first, m_last}) {
        spin->setRange(m_options.SpinLower(), std::max(m_options.SpinUpper(), 1));
        spin->setAccelerated(true);
    }
    m_first->setValue(m_options.first);
    m_last->setValue(m_options.last);
    // The edit and its spin are one widget here; both identifiers name it.
    m_controls[Options::kFirstEdit] = m_controls[Options::kFirstSpin] = m_first;
    m_controls[Options::kLastEdit] = m_controls[Options::kLastSpin] = m_last;
    auto* range = new QHBoxLayout;
    range->addWidget(m_first);
    range->addWidget(new QLabel(QStringLiteral("-"), group));
    range->addWidget(m_last);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Control(Options::kExportAll));
    layout->addWidget(Control(Options::kExportRange));
    layout->addLayout(range);
    return group;
}

QWidget* CExportMp3Dialog::OptionGroup() {
    auto* group = new QGroupBox(tr("Export Options"), this);
    auto* radios = new QButtonGroup(group);
    radios->addButton(Radio(Options::kUseCurrent,
                            tr("Use &current repetition number, playrate, interval pattern")));
    radios->addButton(Radio(Options::kUsePatterns, tr("&Special export patterns")));
    radios->addButton(Radio(Options::kEachSentence, tr("Create an MP3 file for &each Sentence")));
    m_pattern = new QComboBox(group);
    for (int i = 0; i < mp3choices::kPatternCount; ++i) {
        m_pattern->addItem(QString::fromStdString(mp3choices::PatternText(i)));
    }
    m_pattern->setCurrentIndex(m_options.pattern);
    m_controls[Options::kPatternCombo] = m_pattern;
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Control(Options::kUseCurrent));
    layout->addWidget(Control(Options::kUsePatterns));
    layout->addWidget(m_pattern);
    layout->addWidget(Control(Options::kEachSentence));
    return group;
}

QRadioButton* CExportMp3Dialog::Radio(int id, const QString& text) {
    auto* radio = new QRadioButton(text, this);
    radio->setChecked(m_options.IsChecked(id));
    m_controls[id] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, id] { Click(id); });
    return radio;
}

void CExportMp3Dialog::Click(int id) {
    m_options.ClickRadio(id);
    ApplyEnabling();
}

void CExportMp3Dialog::ApplyEnabling() {
    for (const auto& [id, control] : m_controls) {
        control->setEnabled(m_options.IsEnabled(id));
    }
}

void CExportMp3Dialog::Export() {
    m_options.formatIndex = m_format->currentIndex();
    m_options.first = m_first->value();
    m_options.last = m_last->value();
    m_options.pattern = m_pattern->currentIndex();
    m_onExport();
}
