#include "view/widgets/CAutoPartitionDlg.h"

#include "partition/CAutoPartition.h"
#include "view/widgets/CWorkProgressDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* MakeSpin(int low, int high, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(low, high);
    spin->setSingleStep(1);
    // The value is shown by the label beside it, formatted; the spin gives only the arrows.
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    spin->setFixedWidth(spin->sizeHint().height());
    return spin;
}

} // namespace

CAutoPartitionDlg::CAutoPartitionDlg(CAutoPartition& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_silenceText(new QLabel(this)),
      m_loudnessText(new QLabel(this)), m_countText(new QLabel(this)),
      m_silenceSpin(MakeSpin(CAutoPartition::kMinSilence, CAutoPartition::kMaxSilence, this)),
      m_loudnessSpin(MakeSpin(CAutoPartition::kMinLoudness, CAutoPartition::kMaxLoudness, this)) {
    setWindowTitle(tr("Auto-Partition"));
    auto* factors = new QGroupBox(tr("Partition Factors"), this);
    auto* grid = new QGridLayout(factors);
    grid->addWidget(new QLabel(tr("Silence interval ( 0.25 - 10.0 sec.) : "), factors), 0, 0);
    grid->addWidget(m_silenceText, 0, 1);
    grid->addWidget(m_silenceSpin, 0, 2);
    grid->addWidget(new QLabel(tr("Minimum loudness  ( 3 - 30 ) :"), factors), 1, 0);
    grid->addWidget(m_loudnessText, 1, 1);
    grid->addWidget(m_loudnessSpin, 1, 2);
    auto* defaults = new QPushButton(tr("&Default"), this);
    auto* partition = new QPushButton(tr("&Partition"), this);
    auto* counts = new QGroupBox(tr("Number of Sentences from last partitioning"), this);
    auto* countRow = new QHBoxLayout(counts);
    countRow->addWidget(new QLabel(tr("# of Sentences:"), counts));
    countRow->addWidget(m_countText, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    auto* actions = new QHBoxLayout;
    actions->addWidget(defaults);
    actions->addWidget(partition);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(factors);
    layout->addLayout(actions);
    layout->addWidget(counts);
    layout->addWidget(buttons);

    connect(m_silenceSpin, &QSpinBox::valueChanged, this, [this](int value) {
        m_model.SetSilence(value);
        ShowValues();
    });
    connect(m_loudnessSpin, &QSpinBox::valueChanged, this, [this](int value) {
        m_model.SetLoudness(value);
        ShowValues();
    });
    connect(defaults, &QPushButton::clicked, this, &CAutoPartitionDlg::OnDefault);
    connect(partition, &QPushButton::clicked, this, &CAutoPartitionDlg::OnPartition);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowValues();
}

void CAutoPartitionDlg::ShowValues() {
    const QSignalBlocker silence(m_silenceSpin);
    const QSignalBlocker loudness(m_loudnessSpin);
    m_silenceSpin->setValue(m_model.Silence());
    m_loudnessSpin->setValue(m_model.Loudness());
    m_silenceText->setText(QString::fromStdString(m_model.SilenceText()));
    m_loudnessText->setText(QString::fromStdString(m_model.LoudnessText()));
    m_countText->setText(QString::fromStdString(m_model.CountText()));
}

void CAutoPartitionDlg::OnDefault() {
    m_model.Default();
    ShowValues();
}

void CAutoPartitionDlg::OnPartition() {
    CWorkProgressDlg progress(this);
    m_model.Partition(&progress);
    ShowValues();
}

void CAutoPartitionDlg::accept() {
    m_model.Ok();
    QDialog::accept();
}
