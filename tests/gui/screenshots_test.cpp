// Pictures of the main window, the reject window, the information window, the template editor
// and the column mapping dialog for the documentation, taken from the real windows when TARVO_SCREENSHOT_DIR names a folder
// (scripts/screenshots.sh sets it).

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QPixmap>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <QTableWidget>

#include "app/gui/win_import.h"
#include "app/gui/win_import_edit.h"
#include "app/gui/win_import_info.h"
#include "app/gui/win_import_reject.h"
#include "app/gui/win_sheet_mapping.h"
#include "sampledata/templates.h"
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
    WinImportReject reject(&main, rejectFolder.path() / "REJECT.TXT");
    reject.KODESAMA({{"8991002101234", "KOPI BUBUK 200G", "8991002101234", "KOPI BUBUK 250G", 118, 97},
                     {"BRS-005", "BERAS PANDAN 5KG", "BRS-005", "BERAS PANDAN WANGI 5KG", 240, 212}});
    reject.NAMASAMA({{"GL-0093", "GULA PASIR 1KG", "GL-0001", "GULA PASIR 1KG", 311, 4}});
    reject.show();
    test::settle();
    ASSERT_TRUE(reject.grab().save(QString::fromStdString((out / "reject-window.png").string())));
}

TEST(Screenshots, InformationWindowAndTemplateEditor) {
    const char* folder = std::getenv("TARVO_SCREENSHOT_DIR");
    if (!folder) GTEST_SKIP() << "TARVO_SCREENSHOT_DIR not set";
    const std::filesystem::path out(folder);
    test::TempDir templates;

    WinImportInfo info(nullptr, templates.path().string() + "/");
    _WinImportInfo* page = info.templatePage("ITEM.DBF");
    info.ODCTABCONTROL1->setCurrentWidget(page);
    for (int row : {2, 6, 20}) page->LISTVIEW1->topLevelItem(row)->setCheckState(0, Qt::Checked);
    page->LISTVIEW1->setCurrentItem(page->LISTVIEW1->topLevelItem(20));
    page->SHOWKETERANGAN();
    info.resize(info.width() + 120, info.height() + 40);
    info.show();
    test::settle();
    ASSERT_TRUE(info.grab().save(QString::fromStdString((out / "information-window.png").string())));

    sampledata::SampleTemplateOptions options;
    options.items = 40;
    options.customers = 10;
    options.vendors = 5;
    sampledata::makeSampleTemplates(templates.path(), options);
    WinImportEdit editor(nullptr, templates.path().string() + "/");
    _WinImportEdit* items = editor.editPage("ITEM.DBF");
    ASSERT_NE(items, nullptr);
    editor.TABCONTROL1->setCurrentWidget(items);
    items->BBROWSER1->setCurrentIndex(items->model()->index(2, 2));
    editor.resize(editor.width() + 120, editor.height() + 40);
    editor.show();
    test::settle();
    items->BBROWSER1->scrollTo(items->model()->index(0, 0));
    test::settle();
    ASSERT_TRUE(editor.grab().save(QString::fromStdString((out / "template-editor.png").string())));
}

TEST(Screenshots, ColumnMappingDialog) {
    const char* folder = std::getenv("TARVO_SCREENSHOT_DIR");
    if (!folder) GTEST_SKIP() << "TARVO_SCREENSHOT_DIR not set";
    const std::filesystem::path out(folder);
    test::TempDir dir;
    const std::filesystem::path list = dir.path() / "Sheet1.csv";
    std::ofstream(list) << "DAFTAR BARANG TOKO SUMBER REJEKI;;;;;;;;\n;;;;;;;;\n"
                           "No;Kode Barang;Nama Barang;Satuan;Harga Beli;Harga Jual;Stok Gudang;Supplier;Rak\n"
                           "1;BRG-001;Indomie Goreng;PCS;2.500;3.000;40;V1;A-1\n"
                           "2;BRG-002;Teh Botol 350ml;BTL;2.800;3.500;24;V2;A-2\n"
                           "3;BRG-003;Gula Pasir 1kg;KG;14.000;16.5OO;7,5;V1;B-1\n"
                           "4;BRG-004;Kopi Bubuk 200g;PCS;11.000;13.000;12;V3;B-2\n";
    WinImportInfo info(nullptr, dir.path().string() + "/");
    WinSheetMapping dialog(&info, list.string(), dir.path().string() + "/", templatetools::readSheetHeads(list),
                           templatetools::mappingFor(list));
    dialog.resize(980, 700);
    dialog.COLUMNS->selectRow(5);
    dialog.show();
    test::settle();
    ASSERT_TRUE(dialog.grab().save(QString::fromStdString((out / "column-mapping.png").string())));
}

}  // namespace
}  // namespace tarvo::gui
