// The progress window and the Qt user interaction's progress: texts, bar, the cancel button,
// and the window opened and closed around the work.

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include "app/gui/qt_interaction.h"
#include "app/gui/win_process.h"
#include "tests/gui/gui_test_support.h"

namespace tarvo::gui {
namespace {

TEST(WinProcess, AFreshWindowShowsItsStartTextsAndNoCancelButton) {
    WinProcess window(nullptr);
    window.Show();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle().toStdString(), "TarvoSoft");
    EXPECT_EQ(window.ODCINFO1()->text().toStdString(), "TarvoSoft Indonesia");
    EXPECT_EQ(window.ODCINFO2()->text().toStdString(), "...");
    EXPECT_EQ(window.ODCPROGRESSBAR()->value(), 0);
    EXPECT_FALSE(window.OCCBUTTONBATAL()->isVisible());
    EXPECT_FALSE(window.OCCBUTTONBATAL()->isEnabled());
    EXPECT_EQ(window.OCCBUTTONBATAL()->text().toStdString(), "Batal");
    EXPECT_FALSE(window.LPROSESBATAL());
}

TEST(WinProcess, TheCancelButtonGrowsTheWindowOnEachAssignmentAndOnlySetsTheFlag) {
    WinProcess window(nullptr);
    window.Show();
    const int height = window.height();
    const int step = window.OCCBUTTONBATAL()->height() + 5;
    EXPECT_FALSE(window.setSHOWBUTTONBATAL(false));
    EXPECT_EQ(window.height(), height);
    EXPECT_TRUE(window.setSHOWBUTTONBATAL(true));
    EXPECT_TRUE(window.setSHOWBUTTONBATAL(true));
    EXPECT_EQ(window.height(), height + 2 * step);
    EXPECT_TRUE(window.OCCBUTTONBATAL()->isVisible());

    window.OCCBUTTONBATAL()->click();
    EXPECT_TRUE(window.LPROSESBATAL());
    EXPECT_TRUE(window.isVisible());
}

TEST(WinProcess, IsNeverRunModally) {
    WinProcess window(nullptr);
    EXPECT_EQ(window.exec(), 0);
    EXPECT_FALSE(window.isVisible());
}

TEST(QtInteractionProgress, TextsAndBarReachTheWindowAndTheWindowClosesAfterTheWork) {
    QtInteraction interaction;
    interaction.progressText(1, "before any window");  // ignored, no window
    interaction.openProgress(nullptr);
    QPointer<WinProcess> window = interaction.progressWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

    interaction.progressText(1, "ITEM Proses no. 5 / 10");
    interaction.progressText(2, "5 / 10");
    interaction.progressBar(5, 10);
    QThread::msleep(QtInteraction::kEventIntervalMs + 5);
    interaction.letEventsThrough();
    EXPECT_EQ(window->ODCINFO1()->text().toStdString(), "ITEM Proses no. 5 / 10");
    EXPECT_EQ(window->ODCINFO2()->text().toStdString(), "5 / 10");
    EXPECT_EQ(window->ODCPROGRESSBAR()->value(), 50);

    interaction.progressBar(3, 0);  // a zero total must not fault
    interaction.closeProgress();
    test::settle();
    EXPECT_EQ(interaction.progressWindow(), nullptr);
    EXPECT_TRUE(!window || !window->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace tarvo::gui
