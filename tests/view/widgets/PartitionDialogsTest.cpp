// The progress window and the Auto-Partition dialog as widgets.
#include "document/CEarlarkDoc.h"
#include "partition/CAutoPartition.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "view/widgets/CAutoPartitionDlg.h"
#include "view/widgets/CWorkProgressDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

QPushButton* Button(QWidget& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

TEST(CWorkProgressDlg, DisablesItsOwnerAndTakesCancelOnce) {
    QWidget owner;
    owner.show();
    CWorkProgressDlg progress(&owner);
    ASSERT_TRUE(progress.Create());
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(progress.CheckCancel());
    QPushButton* cancel = Button(progress, "&Cancel");
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_TRUE(progress.CheckCancel());
    EXPECT_FALSE(progress.CheckCancel());
    EXPECT_TRUE(progress.Cancelled());
    progress.Destroy();
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_FALSE(progress.isVisible());
}

TEST(CWorkProgressDlg, LeavesADisabledOwnerDisabled) {
    QWidget owner;
    owner.setEnabled(false);
    CWorkProgressDlg progress(&owner);
    progress.Create();
    progress.Destroy();
    EXPECT_FALSE(owner.isEnabled());
}

TEST(CAutoPartitionDlg, SpinsAndDefaultShowTheFormattedFactors) {
    CEarlarkDoc doc;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    CAutoPartition model(doc, settings, prompts, [] { return false; });
    model.Start();
    CAutoPartitionDlg dialog(model, nullptr);
    const QList<QSpinBox*> spins = dialog.findChildren<QSpinBox*>();
    ASSERT_EQ(spins.size(), 2);
    spins[0]->setValue(40);
    spins[1]->setValue(3);
    const auto shows = [&](const QString& text) {
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == text) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(shows("10.00 sec"));
    EXPECT_TRUE(shows("3"));
    Button(dialog, "&Default")->click();
    EXPECT_TRUE(shows("2.00 sec"));
    EXPECT_TRUE(shows("10"));
    EXPECT_EQ(spins[0]->value(), 8);
    dialog.reject();
    EXPECT_FALSE(settings.Contains("Etc", "Duration"));
    dialog.accept();
    EXPECT_EQ(settings.GetInt("Etc", "Duration", 0), 8);
}

} // namespace
