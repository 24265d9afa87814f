// Earlark: practising listening comprehension by dictation.
#include "app/CEarlarkApp.h"
#include "app/CMainFrame.h"
#include "document/CEarlarkDoc.h"
#include "platform/DefaultWaveOutDevice.h"
#include "qt/LocalInstanceGuard.h"
#include "qt/QtFileDialogs.h"
#include "qt/QtMessageQueue.h"
#include "qt/QtPrompts.h"
#include "qt/QtRichTextProbe.h"
#include "qt/QtSettingsStore.h"
#include "qt/QtWaitWindow.h"
#include "skin/CSkin.h"
#include "skin/CTitlePicture.h"
#include "skin/TitleAwarePrompts.h"
#include "view/SpectrumAnalyzer.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <iostream>
#include <memory>

namespace {

AppPaths MakePaths() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    QString data = QCoreApplication::applicationDirPath() + "/../share/earlark/";
    return {QCoreApplication::applicationDirPath().toStdString() + "/", cache.toStdString() + "/",
            QDir::cleanPath(data).toStdString() + "/"};
}

int TakeScreenshot(CMainFrame& frame, const std::string& path) {
    frame.show();
    QCoreApplication::processEvents();
    if (!frame.grab().save(QString::fromStdString(path), "PNG")) {
        std::cerr << "earlark: cannot write " << path << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName("Velmora");
    QCoreApplication::setApplicationName("Earlark 4.2");

    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) {
        args.push_back(arg.toStdString());
    }
    CommandLine commandLine = CommandLine::Parse(args);
    if (!commandLine.error.empty()) {
        std::cerr << "earlark: " << commandLine.error << '\n';
        return 2;
    }

    QtSettingsStore settings;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    LocalInstanceGuard instance;
    QtRichTextProbe richText;
    // The device outlives the document's wave engine; its notices reach the main thread.
    QtMessageQueue messages(&qapp);
    DefaultWaveOutDevice device(messages);
    CEarlarkDoc doc;
    doc.m_player.SetOutputDevice(&device);
    TitleAwarePrompts shownPrompts(prompts);
    CEarlarkApp app({shownPrompts, fileDialogs, settings, instance, richText}, doc);
    CSkin skin;
    app.SetSkin(&skin);
    if (!app.InitInstance(commandLine, MakePaths())) {
        return 0;
    }
    CTitlePicture::EnableTitlePicture(app.TitlePictureEnabled());

    // The view builds its analysis tables with the frame; without them it cannot run.
    std::unique_ptr<CMainFrame> framePointer;
    try {
        framePointer = std::make_unique<CMainFrame>(app, doc, skin, settings);
    } catch (const TableAllocationError& error) {
        prompts.ShowMessage(error.what(), PromptIcon::Error);
        app.ExitInstance();
        return 1;
    }
    CMainFrame& frame = *framePointer;
    prompts.SetParent(&frame);
    QtWaitWindow waitWindow;
    waitWindow.SetParent(&frame);
    app.Audio().SetWaitWindow(waitWindow);
    fileDialogs.SetParent(&frame);
    QObject::connect(&instance, &LocalInstanceGuard::activationRequested, &frame, [&frame] {
        frame.showNormal();
        frame.raise();
        frame.activateWindow();
    });
    if (!commandLine.screenshot.empty()) {
        return TakeScreenshot(frame, commandLine.screenshot);
    }
    if (app.StartMaximised()) {
        frame.showMaximized();
    } else {
        frame.show();
    }
    int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
