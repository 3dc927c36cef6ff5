// The desktop program: the fixed run-time settings, one copy per window title, then the main
// import window; when it closes the program ends.

#include <QApplication>
#include <QIcon>

#include "app/core/version.h"
#include "app/gui/qt_interaction.h"
#include "app/gui/single_instance.h"
#include "app/gui/win_import.h"
#include "ui/random_text.h"
#include "xbase/settings.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // APP_ICON, the large and small icon of every window.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app_icon.png")));
    tarvo::xbase::applyStartupSettings();
    tarvo::ui::seedRandom();

    const QString title = QString::fromStdString(tarvo::app::windowTitle());
    tarvo::gui::SingleInstance instance(title);
    if (instance.raiseRunningCopy()) return 0;

    tarvo::gui::QtInteraction interaction;
    tarvo::ui::setInteraction(&interaction);
    tarvo::gui::WINIMPORT window;
    // Listening starts once the window carries its final caption.
    instance.listen(&window);
    window.exec();
    tarvo::ui::setInteraction(nullptr);
    return 0;
}
