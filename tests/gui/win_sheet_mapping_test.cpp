// The column mapping dialog over a shop's own list: the proposal shown per column with the
// catalogue's descriptions, the mandatory columns left out, the preview with its cell problems,
// "Periksa" writing nothing, "Simpan" keeping the mapping; and the window's spreadsheet buttons
// that open it.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <fstream>

#include "app/gui/win_import_info.h"
#include "app/gui/win_import_sheets.h"
#include "app/gui/win_sheet_mapping.h"
#include "templatetools/column_catalogue.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::gui {
namespace {

namespace fs = std::filesystem;

class WinSheetMappingTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        fs::create_directories(templates);
        fs::create_directories(toko);
        writeList("dua");
    }
    // The shop's list: a title, its own headers, a column of shelves; the second price as typed.
    void writeList(const std::string& secondPrice) {
        std::ofstream(toko / "Barang.csv") << "DAFTAR BARANG;;;\n;;;\nKode Barang;Nama;Harga Jual;Rak\nA1;Apel;1.500;R1\nA2;Jeruk;"
                                           << secondPrice << ";R2\n";
    }
    std::string folder() const { return templates.string() + "/"; }

    test::TempDir dir;
    fs::path templates = dir.path() / "templates";
    fs::path toko = dir.path() / "toko";
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(WinSheetMappingTest, ShowsTheProposalItsPreviewAndItsCheck) {
    WinImportInfo window(nullptr, folder());
    WinSheetMapping dialog(&window, toko.string(), folder(), templatetools::readSheetHeads(toko), templatetools::mappingFor(toko));
    EXPECT_EQ(dialog.SHEET->currentText(), QStringLiteral("Barang"));
    EXPECT_EQ(dialog.TEMPLATE->currentData().toString(), QStringLiteral("ITEM"));
    EXPECT_EQ(dialog.HEADERROW->value(), 3);
    ASSERT_EQ(dialog.COLUMNS->rowCount(), 4);
    EXPECT_EQ(dialog.COLUMNS->item(0, 1)->text(), QStringLiteral("Kode Barang"));
    EXPECT_EQ(dialog.COLUMNS->item(0, 2)->text(), QStringLiteral("A1, A2"));
    EXPECT_EQ(dialog.fieldBox(0)->currentData().toString(), QStringLiteral("KODE"));
    const auto* kode = templatetools::findCatalogueRow(*templatetools::findCataloguePage("ITEM"), "KODE");
    EXPECT_EQ(dialog.fieldBox(0)->toolTip().toStdString(), kode->description);
    EXPECT_EQ(dialog.fieldBox(2)->currentData().toString(), QStringLiteral("H_JUAL1"));
    EXPECT_EQ(dialog.fieldBox(3)->currentData().toString(), QString());  // "Rak" is passed over
    EXPECT_EQ(dialog.MISSING->text(), QStringLiteral("Semua kolom wajib sudah ada."));

    // The preview: converted values, and the cell the check refuses marked with its problem.
    ASSERT_EQ(dialog.PREVIEW->columnCount(), 3);
    ASSERT_EQ(dialog.PREVIEW->rowCount(), 2);
    EXPECT_EQ(dialog.PREVIEW->item(0, 2)->text(), QStringLiteral("1500.00"));
    EXPECT_EQ(dialog.PREVIEW->item(1, 2)->toolTip(),
              QStringLiteral("Barang row 5, column Harga Jual [H_JUAL1] (C), value \"dua\": not a number"));
    EXPECT_TRUE(dialog.PREVIEW->item(0, 2)->toolTip().isEmpty());
    EXPECT_EQ(dialog.PROBLEMS->text(), dialog.PREVIEW->item(1, 2)->toolTip());

    // "Nama" left out: NAMA is marked; given to "Rak" instead, it leaves its column.
    dialog.fieldBox(1)->setCurrentIndex(0);
    EXPECT_EQ(dialog.MISSING->text(), QStringLiteral("Kolom wajib belum dipilih: NAMA"));
    dialog.fieldBox(3)->setCurrentIndex(dialog.fieldBox(3)->findData(QStringLiteral("KODE")));
    EXPECT_EQ(dialog.fieldBox(0)->currentData().toString(), QString());
    EXPECT_EQ(dialog.mapping().sheets[0].columns[3].field, "KODE");
    dialog.fieldBox(0)->setCurrentIndex(dialog.fieldBox(0)->findData(QStringLiteral("KODE")));
    dialog.fieldBox(1)->setCurrentIndex(dialog.fieldBox(1)->findData(QStringLiteral("NAMA")));

    QString heading;
    std::vector<std::string> lines;
    dialog.showList = [&](const QString&, const QString& head, const std::vector<std::string>& shown) {
        heading = head;
        lines = shown;
    };
    dialog.BUTTONCHECK->click();
    EXPECT_EQ(heading, QStringLiteral("Isian berikut perlu diperbaiki. Belum ada file yang ditulis:"));
    EXPECT_EQ(lines, (std::vector<std::string>{"Barang row 5, column Harga Jual [H_JUAL1] (C), value \"dua\": not a number",
                                               "Barang column Kode Barang (A) read as KODE",
                                               "Barang column Harga Jual (C) read as H_JUAL1",
                                               "Barang column Rak (D) passed over: no template column"}));
    EXPECT_TRUE(fs::is_empty(templates));

    dialog.BUTTONSAVE->click();
    ASSERT_EQ(ui.count("info"), 1u);
    EXPECT_EQ(ui.messages.back().text, "Pemetaan kolom disimpan : " + (toko / "mapping.json").string());
    EXPECT_EQ(templatetools::readMappingFile(toko / "mapping.json"), dialog.mapping());
}

TEST_F(WinSheetMappingTest, TheWindowShowsTheMappingOfAShopListBeforeReadingIt) {
    writeList("2.000");
    WinImportInfo window(nullptr, folder());
    WinImportSheets* sheets = window.OSHEETS;
    EXPECT_EQ(sheets->BUTTONMAPPING->text(), QStringLiteral("&Cocokkan Kolom..."));
    sheets->chooseSource = [&] { return (toko / "Barang.csv").string(); };
    int reviews = 0;
    sheets->reviewMapping = [&](const std::string& source, templatetools::ColumnMapping& mapping) {
        ++reviews;
        EXPECT_EQ(source, toko.string());
        mapping.sheets[0].columns[3].field = "EXT_INFO_1";  // "Rak"
        return true;
    };
    QString heading;
    std::vector<std::string> lines;
    sheets->showList = [&](const QString&, const QString& head, const std::vector<std::string>& shown) {
        heading = head;
        lines = shown;
    };
    sheets->BUTTONFROMSHEETS->click();
    EXPECT_EQ(reviews, 1);
    EXPECT_EQ(heading, QStringLiteral("File template berhasil dibuat. Catatan:"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), folder() + "ITEM.DBF: 2 baris, 4 kolom");
    EXPECT_EQ(lines.back(), "Barang column Rak (D) read as EXT_INFO_1");
    const auto item = xbase::Table::open(templates / "ITEM.DBF", {});
    EXPECT_EQ(item->recCount(), 2u);
    EXPECT_EQ(item->fieldGet("EXT_INFO_1").text().substr(0, 2), "R1");

    // Cancelled: nothing more is read.
    sheets->reviewMapping = [&](const std::string&, templatetools::ColumnMapping&) { return ++reviews, false; };
    sheets->BUTTONMAPPING->click();
    EXPECT_EQ(reviews, 2);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo::gui
