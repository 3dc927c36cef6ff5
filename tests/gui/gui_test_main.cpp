// The GUI tests run headless with one application object, in the program's style and settings.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/random_text.h"
#include "xbase/settings.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    tarvo::xbase::applyStartupSettings();
    tarvo::ui::seedRandom();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
