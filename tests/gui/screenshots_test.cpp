// Pictures of the main window and of the reject window for the README, taken from the real
// windows when TARVO_SCREENSHOT_DIR names a folder (scripts/screenshots.sh sets it).

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPixmap>
#include <cstdlib>
#include <filesystem>

#include "app/gui/win_import.h"
#include "app/gui/win_import_reject.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"

namespace tarvo::gui {
namespace {

TEST(Screenshots, MainWindowAndRejectWindow) {
    const char* folder = std::getenv("TARVO_SCREENSHOT_DIR");
    if (!folder) GTEST_SKIP() << "TARVO_SCREENSHOT_DIR not set";
    const std::filesystem::path out(folder);

    WINIMPORT main;
    main.LOKASI->setText(QStringLiteral("/srv/toko/data"));
    main.IMPORT->setText(QStringLiteral("/srv/toko/template"));
    main.RBSISABUKA->click();
    main.show();
    test::settle();
    ASSERT_TRUE(main.grab().save(QString::fromStdString((out / "main-window.png").string())));

    test::TempDir rejectFolder;
    WinImportReject reject(&main, rejectFolder.path());
    reject.KODESAMA({{"8991002101234", "KOPI BUBUK 200G", "8991002101234", "KOPI BUBUK 250G", 118, 97},
                     {"BRS-005", "BERAS PANDAN 5KG", "BRS-005", "BERAS PANDAN WANGI 5KG", 240, 212}});
    reject.NAMASAMA({{"GL-0093", "GULA PASIR 1KG", "GL-0001", "GULA PASIR 1KG", 311, 4}});
    reject.show();
    test::settle();
    ASSERT_TRUE(reject.grab().save(QString::fromStdString((out / "reject-window.png").string())));
}

}  // namespace
}  // namespace tarvo::gui
