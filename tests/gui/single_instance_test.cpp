// One copy of the program per window title.

#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <QWidget>

#include "app/core/version.h"
#include "app/gui/single_instance.h"
#include "tests/gui/gui_test_support.h"

namespace tarvo::gui {
namespace {

TEST(SingleInstance, ALaterStartRaisesTheRunningCopyOfTheSameTitleOnly) {
    QWidget window;
    SingleInstance running(QStringLiteral("Tarvo-Import test 1.0"));
    int raised = 0;
    QObject::connect(&running, &SingleInstance::raiseRequested, [&raised] { ++raised; });
    ASSERT_TRUE(running.listen(&window));

    EXPECT_FALSE(SingleInstance(QStringLiteral("Tarvo-Import test 1.1")).raiseRunningCopy());
    EXPECT_TRUE(SingleInstance(QStringLiteral("Tarvo-Import test 1.0")).raiseRunningCopy());
    for (int i = 0; i < 100 && raised == 0; ++i) {
        test::settle();
        QThread::msleep(10);
    }
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, ASecondProgramEndsAtOnceWhileTheFirstRuns) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(TARVO_GUI), {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy answers once its window is up.
    const SingleInstance probe(QString::fromStdString(app::windowTitle()));
    bool up = false;
    for (int i = 0; i < 200 && !up; ++i) {
        up = probe.raiseRunningCopy();
        if (!up) QThread::msleep(25);
    }
    ASSERT_TRUE(up);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TARVO_GUI), {});
    EXPECT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

}  // namespace
}  // namespace tarvo::gui
