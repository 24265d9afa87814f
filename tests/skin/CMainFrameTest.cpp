#include "app/CMainFrame.h"
#include "app/CEarlarkApp.h"
#include "app/StartupPorts.h"
#include "document/CEarlarkDoc.h"
#include "platform/FileDialogs.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"
#include "skin/CSkin.h"
#include "skin/CSkinButton.h"
#include "skin/CTitlePicture.h"
#include "skin/SkinControlSet.h"
#include "skin/SkinFramePainter.h"
#include "view/CEarlarkMainView.h"
#include "view/ViewCommandIds.h"
#include "view/widgets/CLwBox.h"
#include "view/widgets/CSentenceListBox.h"
#include "view/widgets/CStudyForm.h"

#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/ScriptedFileDialogs.h"
#include "support/Bytes.h"
#include "support/FakeStartupPorts.h"
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_skin.LoadSkin(std::string(EARLARK_SOURCE_DIR) + "/resources/", "default"));
        CTitlePicture::EnableTitlePicture(false);
    }
    void TearDown() override {
        CTitlePicture::CloseTitlePicture();
        CTitlePicture::EnableTitlePicture(true);
    }
    std::unique_ptr<CMainFrame> MakeFrame() {
        return std::make_unique<CMainFrame>(m_app, m_doc, m_skin, m_settings);
    }
    void WriteRect(int left, int top, int right, int bottom) {
        settings::kFrameLeft.Write(m_settings, left);
        settings::kFrameTop.Write(m_settings, top);
        settings::kFrameRight.Write(m_settings, right);
        settings::kFrameBottom.Write(m_settings, bottom);
    }
    QRect StoredRect() const {
        int left = settings::kFrameLeft.Read(m_settings);
        int top = settings::kFrameTop.Read(m_settings);
        return QRect(QPoint(left, top), QPoint(settings::kFrameRight.Read(m_settings) - 1,
                                               settings::kFrameBottom.Read(m_settings) - 1));
    }

    ScriptedPrompts m_prompts;
    ScriptedFileDialogs m_dialogs;
    MemorySettingsStore m_settings;
    FakeInstanceGuard m_instance;
    FakeRichText m_richText;
    CEarlarkDoc m_doc;
    CEarlarkApp m_app{{m_prompts, m_dialogs, m_settings, m_instance, m_richText}, m_doc};
    CSkin m_skin;
};

TEST_F(FrameFixture, FirstStartOpensCentredAtTheDefaultSize) {
    auto frame = MakeFrame();
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((frame->frameGeometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_GE(frame->width(), 590);
    EXPECT_GE(frame->height(), 420);
}

TEST_F(FrameFixture, RestoresTheStoredRectangleIncludingLeftZero) {
    WriteRect(0, 30, 700, 530);
    auto frame = MakeFrame();
    frame->show();
    EXPECT_EQ(frame->frameGeometry(), QRect(0, 30, 700, 500));
}

TEST_F(FrameFixture, SavesItsRectangleWhenClosed) {
    auto frame = MakeFrame();
    frame->show();
    frame->setGeometry(40, 60, 640, 480);
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(StoredRect(), frame->frameGeometry());
    EXPECT_EQ(settings::kFrameZoomed.Read(m_settings), 0);
}

TEST_F(FrameFixture, ClosingMaximisedKeepsTheNormalRectangleForNextTime) {
    WriteRect(40, 60, 680, 540);
    auto frame = MakeFrame();
    frame->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(frame->isMaximized());
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(settings::kFrameZoomed.Read(m_settings), 1);
    EXPECT_EQ(StoredRect(), QRect(40, 60, 640, 480));
    // Next start: maximised, and restoring brings back the rectangle from before.
    auto next = MakeFrame();
    next->showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(next->isMaximized());
    QMargins decoration = next->windowHandle()->frameMargins();
    EXPECT_EQ(next->normalGeometry(), QRect(40, 60, 640, 480).marginsRemoved(decoration));
}

TEST_F(FrameFixture, ClosingMinimisedKeepsTheRectangleAndIsNotMaximisedNextTime) {
    WriteRect(40, 60, 680, 540);
    settings::kFrameZoomed.Write(m_settings, 1);
    auto frame = MakeFrame();
    frame->show();
    frame->setGeometry(300, 300, 700, 500);
    frame->showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(StoredRect(), QRect(40, 60, 640, 480));
    EXPECT_EQ(settings::kFrameZoomed.Read(m_settings), 0);
}

TEST_F(FrameFixture, CannotBeMadeSmallerThanTheMinimum) {
    auto frame = MakeFrame();
    frame->show();
    QApplication::processEvents();
    frame->resize(300, 200);
    EXPECT_EQ(frame->frameGeometry().width(), 590);
    EXPECT_EQ(frame->frameGeometry().height(), 420);
}

TEST_F(FrameFixture, ACancelledSaveQuestionKeepsTheFrameOpenAndUnsaved) {
    m_doc.SetModifiedFlag(true);
    auto frame = MakeFrame();
    frame->show();
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(m_prompts.Questions().size(), 1u);
    EXPECT_FALSE(m_settings.Contains("Main Frame", "IsZoomed"));
}

TEST_F(FrameFixture, TopmostChangesOnlyTheStacking) {
    auto frame = MakeFrame();
    frame->show();
    QRect before = frame->geometry();
    frame->SetTopmost(true);
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry(), before);
    frame->SetTopmost(false);
    EXPECT_FALSE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(FrameFixture, RebuildingReplacesTheView) {
    auto frame = MakeFrame();
    QPointer<CStudyForm> old = frame->Form();
    ASSERT_TRUE(old);
    frame->OnCommand(CMainFrame::kRebuildView);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    ASSERT_NE(frame->Form(), nullptr);
    EXPECT_EQ(frame->ViewKind(), CEarlarkDoc::kStudyViewKind);
    frame->OnCommand(CMainFrame::kStudyView);
    EXPECT_NE(frame->Form(), nullptr);
}

TEST_F(FrameFixture, ShowsTheTitlePictureWhenItFirstAppearsAndAboutWithoutTimer) {
    CTitlePicture::EnableTitlePicture(true);
    auto frame = MakeFrame();
    frame->show();
    ASSERT_NE(CTitlePicture::Current(), nullptr);
    EXPECT_TRUE(CTitlePicture::Current()->TimerRunning());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(frame.get(), &key);
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
    frame->OnCommand(CMainFrame::kAbout);
    ASSERT_NE(CTitlePicture::Current(), nullptr);
    EXPECT_FALSE(CTitlePicture::Current()->TimerRunning());
}

TEST_F(FrameFixture, ThePictureStaysOffWhenDisabled) {
    auto frame = MakeFrame();
    frame->show();
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
}

TEST_F(FrameFixture, TheViewDrawsTheSkinAroundTheInnerArea) {
    auto frame = MakeFrame();
    frame->resize(700, 500);
    frame->show();
    QApplication::processEvents();
    CStudyForm* view = frame->Form();
    QImage image = view->grab().toImage();
    QRect inner = SkinFramePainter::InnerRect(m_skin, view->size());
    SkinMargins margins = SkinFramePainter::Margins(m_skin);
    EXPECT_EQ(inner.top(), m_skin.FramePiece(101).height());
    EXPECT_GT(margins.left, 0);
    EXPECT_GT(margins.gap, 0);
    // The deck's play button sits where the skin puts it and shows its normal picture.
    CSkinButton* play = view->Controls().Button(1001);
    ASSERT_NE(play, nullptr);
    QPoint inPlay = play->geometry().center();
    EXPECT_EQ(image.pixelColor(inPlay), m_skin.Bitmap(SkinBitmap::Off).pixelColor(inPlay));
    // The corner at the bottom right comes from its frame piece.
    QRect corner = m_skin.FramePiece(109);
    EXPECT_EQ(image.pixelColor(view->width() - 1, view->height() - 1),
              m_skin.Bitmap(SkinBitmap::Off).pixelColor(corner.bottomRight()));
}

TEST_F(FrameFixture, ShowsTheStudySettingsOnTheDeck) {
    m_doc.m_nDisplayFlags = CEarlarkDoc::kAutoPlay | CEarlarkDoc::kCompareMode;
    auto frame = MakeFrame();
    SkinControlSet& controls = frame->Form()->Controls();
    EXPECT_TRUE(controls.Button(1020)->IsOn());
    EXPECT_TRUE(controls.Button(32861)->IsOn());
    EXPECT_FALSE(controls.Button(1101)->IsOn());
    EXPECT_FALSE(controls.Button(1031)->IsOn());
}

TEST_F(FrameFixture, ADroppedFileOpensAsTheStudy) {
    QTemporaryDir dir;
    std::string path = dir.path().toStdString() + "/dropped.ekd";
    {
        CEarlarkDoc other;
        other.m_nRepeat = 7;
        ASSERT_TRUE(other.OnSaveDocument(path));
    }
    auto frame = MakeFrame();
    frame->show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    // The window system offers the drag before it drops.
    QDragEnterEvent enter(QPoint(100, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(m_doc.GetPathName(), path);
    EXPECT_EQ(m_doc.m_nRepeat, 7);
    EXPECT_TRUE(frame->windowTitle().startsWith("dropped"));
}

// A study of sentences with these transcriptions, saved in dir.
std::string SaveStudy(const QTemporaryDir& dir, const std::string& name,
                      const std::vector<std::u16string>& texts) {
    CEarlarkDoc doc;
    for (const std::u16string& text : texts) {
        auto sentence = std::make_unique<CEarlarkWaveSection>();
        sentence->m_strListenWrite = text;
        doc.m_sections.Add(std::move(sentence));
    }
    std::string path = dir.path().toStdString() + "/" + name;
    EXPECT_TRUE(doc.OnSaveDocument(path));
    return path;
}

TEST_F(FrameFixture, ClosingAsksAboutTheTypedTextAndWritesTheViewsOptions) {
    m_doc.m_sections.Add(std::make_unique<CEarlarkWaveSection>());
    auto frame = MakeFrame();
    frame->show();
    frame->Form()->ListenWrite().SetText(u"typed");
    m_prompts.QueueAnswer(PromptAnswer::No);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(m_prompts.Questions().size(), 1u);
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_strListenWrite, u"typed");
    EXPECT_TRUE(m_settings.Contains("Etc", "Options"));
}

TEST_F(FrameFixture, TheOpenKeyLoadsTheChosenStudyIntoTheView) {
    QTemporaryDir dir;
    m_dialogs.answer = SaveStudy(dir, "chosen.ekd", {u"first", u"second"});
    auto frame = MakeFrame();
    frame->show();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier, "o");
    QApplication::sendEvent(frame.get(), &key);
    EXPECT_EQ(m_dialogs.requests.size(), 1u);
    EXPECT_EQ(m_doc.GetPathName(), *m_dialogs.answer);
    EXPECT_EQ(frame->View()->State().rows.Count(), 2);
    EXPECT_EQ(frame->Form()->ListenWrite().Text(), u"first");
    EXPECT_TRUE(frame->windowTitle().startsWith("chosen"));
}

TEST_F(FrameFixture, ARecentFileCommandOpensThatStudy) {
    QTemporaryDir dir;
    const std::string older = SaveStudy(dir, "older.ekd", {u"old"});
    const std::string newer = SaveStudy(dir, "newer.ekd", {u"new"});
    m_app.AddToRecentFileList(older);
    m_app.AddToRecentFileList(newer);
    auto frame = MakeFrame();
    frame->OnCommand(cmd::kRecentFile1 + 1);
    EXPECT_EQ(m_doc.GetPathName(), older);
    EXPECT_EQ(frame->Form()->ListenWrite().Text(), u"old");
    // An entry beyond the list changes nothing.
    frame->OnCommand(cmd::kRecentFileLast);
    EXPECT_EQ(m_doc.GetPathName(), older);
}

TEST_F(FrameFixture, TheImportKeyMakesANewStudyOfTheRecordingAndShowsItsSentence) {
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device(messages);
    m_doc.m_player.SetOutputDevice(&device);
    QTemporaryDir dir;
    m_app.Audio().Import().SetConvertedPath(dir.path().toStdString() + "/__EARLARK__");
    Bytes wave;
    wave.Raw("RIFF").U32(36 + 8000).Raw("WAVE");
    wave.Raw("fmt ").U32(16).U16(1).U16(1).U32(8000).U32(16000).U16(2).U16(16);
    wave.Raw("data").U32(8000);
    for (int i = 0; i < 4000; ++i) {
        wave.U16(static_cast<std::uint16_t>(i * 37));
    }
    const std::string path = dir.path().toStdString() + "/talk.wav";
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(wave.Data().data()),
                   static_cast<qint64>(wave.Data().size()));
    }
    m_dialogs.answer = path;
    {
        auto frame = MakeFrame();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier, "n");
        QApplication::sendEvent(frame.get(), &key);
        EXPECT_EQ(m_doc.m_strAudioPath, path);
        ASSERT_EQ(frame->View()->State().rows.Count(), 1);
        EXPECT_TRUE(frame->View()->State().rows.At(0)->IsWholeRecording());
        EXPECT_EQ(frame->Form()->List().CurSel(), 0);
    }
    m_doc.m_player.CloseOutput();
    m_doc.m_player.SetOutputDevice(nullptr);
}

} // namespace
