// Two copies of the program, played by two guards on one private socket name.
#include "qt/LocalInstanceGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString UniqueName() {
    return QStringLiteral("earlark-test-%1").arg(QCoreApplication::applicationPid());
}

TEST(LocalInstanceGuard, TheSecondCopyFindsTheFirstAndBringsItForward) {
    const QString name = UniqueName();
    LocalInstanceGuard first(name);
    ASSERT_FALSE(first.AnotherInstanceRunning());
    bool activated = false;
    QObject::connect(&first, &LocalInstanceGuard::activationRequested, [&] { activated = true; });

    LocalInstanceGuard second(name);
    ASSERT_TRUE(second.AnotherInstanceRunning());
    second.ActivateOtherInstance();

    QElapsedTimer timer;
    timer.start();
    while (!activated && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_TRUE(activated);
}

TEST(LocalInstanceGuard, AStaleNameLeftByACrashedCopyIsTakenOver) {
    const QString name = UniqueName() + "-stale";
    // A socket file nobody listens on, as a killed copy leaves it.
    const QByteArray path = QFile::encodeName(QDir::tempPath() + "/" + name);
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QString::fromLocal8Bit(path)));

    LocalInstanceGuard next(name);
    EXPECT_FALSE(next.AnotherInstanceRunning());
    LocalInstanceGuard third(name);
    EXPECT_TRUE(third.AnotherInstanceRunning());
}

} // namespace
