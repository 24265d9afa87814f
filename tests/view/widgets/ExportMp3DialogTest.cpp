// The export dialog's controls follow the options: what opens selected, what each radio
// button enables, and what Export hands over.
#include "view/widgets/CExportMp3Dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

using Options = Mp3ExportOptions;

TEST(ExportMp3Dialog, RadiosEnableTheirControlsAndExportTakesTheValues) {
    Options options(3, 5);
    int exports = 0;
    CExportMp3Dialog dialog(
        options, [&exports] { ++exports; }, nullptr);
    auto* format = qobject_cast<QComboBox*>(dialog.Control(Options::kFormatCombo));
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->currentIndex(), 3);
    EXPECT_EQ(format->itemText(3), "MP3 (48 kbps, default)");
    auto* last = qobject_cast<QSpinBox*>(dialog.Control(Options::kLastSpin));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->maximum(), 5);
    struct Step {
        int click;
        bool range;
        bool pattern;
    };
    for (const Step& step :
         {Step{0, false, false}, Step{Options::kExportRange, true, false},
          Step{Options::kUsePatterns, true, true}, Step{Options::kEachSentence, true, false},
          Step{Options::kExportAll, false, false}, Step{Options::kUsePatterns, false, true}}) {
        if (step.click != 0) {
            qobject_cast<QAbstractButton*>(dialog.Control(step.click))->click();
        }
        for (int id :
             {Options::kFirstEdit, Options::kFirstSpin, Options::kLastEdit, Options::kLastSpin}) {
            EXPECT_EQ(dialog.Control(id)->isEnabled(), step.range) << step.click;
        }
        EXPECT_EQ(dialog.Control(Options::kPatternCombo)->isEnabled(), step.pattern) << step.click;
        EXPECT_TRUE(dialog.Control(Options::kExportButton)->isEnabled());
    }
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(dialog.Control(Options::kUsePatterns))->isChecked());
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(dialog.Control(Options::kUseCurrent))->isChecked());
    format->setCurrentIndex(9);
    qobject_cast<QComboBox*>(dialog.Control(Options::kPatternCombo))->setCurrentIndex(3);
    last->setValue(4);
    qobject_cast<QAbstractButton*>(dialog.Control(Options::kExportButton))->click();
    EXPECT_EQ(exports, 1);
    EXPECT_EQ(options.formatIndex, 9);
    EXPECT_EQ(options.pattern, 3);
    EXPECT_EQ(options.last, 4);
    EXPECT_EQ(options.option, Options::Option::Patterns);
    EXPECT_FALSE(options.useRange);
}

} // namespace
