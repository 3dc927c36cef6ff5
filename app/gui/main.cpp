// The desktop program: the fixed run-time settings, one copy per window title, then the main
// import window; when it closes the program ends.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QIcon>

#include "app/core/version.h"
#include "app/gui/qt_interaction.h"
#include "app/gui/single_instance.h"
#include "app/gui/win_import.h"
#include "ui/random_text.h"
#include "xbase/settings.h"

int main(int argc, char* argv[]) {
    // --help and --version answer on the terminal before any window opens; every other argument
    // is Qt's (-platform, -style, ...).
    CLI::App arguments(tarvo::app::windowTitle() + ": fills a shop's retail database (desktop program)",
                       "tarvo-import");
    arguments.set_version_flag("--version", tarvo::app::windowTitle(), "Print the version and exit");
    arguments.allow_extras();
    try {
        arguments.parse(argc, argv);
    } catch (const CLI::ParseError& request) {
        const int status = arguments.exit(request);
        return status == 0 ? 0 : 2;
    }

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
