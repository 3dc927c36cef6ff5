// The report converter on report files written here: which lines become records, what the
// records hold, the progress texts, and the checks that leave a wrong folder as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <fstream>

#include "converters/report_converter.h"
#include "tests/converters/report_text.h"
#include "tests/support/test_support.h"
#include "xbase/blanks.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace tarvo::converters {
namespace {

using test::customerFirstLine;
using test::customerSecondLine;
using test::CustomerText;
using test::itemLine;

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

using Row = std::map<std::string, std::string>;

// Every record of a table as field name -> text: character fields in UTF-8, numbers as their
// bytes in the file, both without blanks around them.
std::vector<Row> records(const std::filesystem::path& path) {
    auto table = xbase::Table::open(path, {});
    std::vector<Row> rows;
    for (table->goTop(); !table->eof(); table->skip()) {
        Row& row = rows.emplace_back();
        for (int pos = 1; pos <= table->fieldCount(); ++pos) {
            const std::string text = table->field(pos).type == 'C'
                                         ? table->fieldGet(pos).text()
                                         : std::string(table->fieldBytes(table->recordImage(), pos));
            row[table->field(pos).name] = std::string(xbase::trimmed(text));
        }
    }
    return rows;
}

class ReportConverterTest : public ::testing::Test {
protected:
    tarvo::test::RecordingInteraction ui;
    tarvo::test::ScopedInteraction scoped{ui};
    tarvo::test::TempDir dir;
    std::string folder = dir.path().string() + "/";

    void SetUp() override { xbase::applyStartupSettings(); }
    void TearDown() override {
        xbase::workAreas().closeAll();
        xbase::applyStartupSettings();
    }

    // After every conversion the program's separators are back and no table is left open.
    void expectCleanEnd() {
        EXPECT_EQ(xbase::settings().decimalSep, ',');
        EXPECT_EQ(xbase::settings().thousandSep, '.');
        EXPECT_TRUE(xbase::workAreas().aliases().empty());
    }

    std::vector<std::string> errors() const {
        std::vector<std::string> texts;
        for (const auto& message : ui.messages)
            if (message.kind == "error") texts.push_back(message.text);
        return texts;
    }
};

const CustomerText kFirst{.code = "c-001", .name = "TOKO SUMBER REJEKI", .limit = "15,000,000.00", .d = "0",
                          .m = "2.50", .h = "10.00", .zero = "12.75", .address = "JL. MERDEKA 17",
                          .phone = "061-4567890", .taxNumber = "01.234.567.8", .contact = "PAK BUDI"};
const CustomerText kSecond{.code = "C-002", .name = "UD MAKMUR", .limit = "0.00", .d = "5.00", .m = "0",
                           .h = "0", .zero = "0", .address = "PASAR BARU BLOK A", .phone = "0812"};
const CustomerText kLast{.code = "C-003", .name = "WARUNG AKHIR", .limit = "250,000.00", .d = "1", .m = "1",
                         .h = "1", .zero = "1"};

TEST_F(ReportConverterTest, ConvertsTheItemAndCustomerReportsIntoTheirTemplates) {
    // A line longer than 10,000 characters is cut; what follows its 10,000th character must not
    // become a line of its own (it would be an item line).
    std::string longLine = itemLine("D-4", "PANJANG", "3.00", "2", 10000) + itemLine("E-5", "POTONGAN", "9.00", "9");
    writeFile(dir.path() / "ITEM.TXT",
              "                      ITEM LIST                Page 1\r\n" +
                  itemLine("ITEM CODE", "DESCRIPTION", "PRICE", "QTY") + "\r\n" + std::string(130, '-') + "\r\n" +
                  "    " + itemLine("a-1", "Sabun Mandi", "1,250,000.00", "12") + "\r\n" +
                  itemLine("B-2", "Kaf\x82 Bubuk", "2,500.50", "1,000.25") + "\n" +
                  itemLine("C-3", "SEPANJANG 120", "1.00", "1", 120) + "\r\n" +
                  itemLine("C-4", "SABUN", "1.00", "1") + "SUBTOTAL\r\n" + longLine + "\r\n" +
                  itemLine("F-6", "TERAKHIR", "4", "5"));
    writeFile(dir.path() / "CUST.TXT",
              "CUSTOMER LIST  Page 1\r\n" + customerFirstLine({.code = "NO#.", .name = "N A M E"}) + "\r\n" +
                  std::string(140, '-') + "\r\n" + customerFirstLine(kFirst) + "\r\n" + customerSecondLine(kFirst) +
                  "\r\n" + customerFirstLine(kSecond) + "\n" + customerSecondLine(kSecond) + "\n" +
                  customerFirstLine(kLast) + "\r\n");

    const ReportConversion conversion = convertReports(nullptr, dir.path().string());
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_TRUE(conversion.done);
    EXPECT_EQ(conversion.itemLines, 9u);
    EXPECT_EQ(conversion.itemRecords, 4u);
    EXPECT_EQ(conversion.customerLines, 6u);
    EXPECT_EQ(conversion.customerRecords, 3u);
    expectCleanEnd();

    auto item = xbase::Table::open(dir.path() / "ITEM.DBF", {});
    EXPECT_EQ(item->structure(), (std::vector<xbase::FieldInfo>{{"KODE", 'C', 20, 0},
                                                                {"NAMA", 'C', 100, 0},
                                                                {"H_BELI", 'N', 12, 2},
                                                                {"H_JUAL1", 'N', 12, 2},
                                                                {"SISA_STK1", 'N', 14, 4},
                                                                {"SISA_NIL1", 'N', 14, 2}}));
    // The report's OEM bytes reach the OEM table unchanged: e acute stays byte 0x82.
    item->goTo(2);
    EXPECT_EQ(item->fieldBytes(item->recordImage(), item->fieldPos("NAMA")).substr(0, 10), "Kaf\x82 Bubuk");
    item.reset();
    EXPECT_EQ(records(dir.path() / "ITEM.DBF"),
              (std::vector<Row>{
                  {{"KODE", "A-1"}, {"NAMA", "Sabun Mandi"}, {"H_BELI", "1250000.00"}, {"H_JUAL1", "1250000.00"},
                   {"SISA_STK1", "12.0000"}, {"SISA_NIL1", "15000000.00"}},
                  {{"KODE", "B-2"}, {"NAMA", "Kaf\u00e9 Bubuk"}, {"H_BELI", "2500.50"}, {"H_JUAL1", "2500.50"},
                   {"SISA_STK1", "1000.2500"}, {"SISA_NIL1", "2501125.13"}},
                  {{"KODE", "D-4"}, {"NAMA", "PANJANG"}, {"H_BELI", "3.00"}, {"H_JUAL1", "3.00"}, {"SISA_STK1", "2.0000"},
                   {"SISA_NIL1", "6.00"}},
                  {{"KODE", "F-6"}, {"NAMA", "TERAKHIR"}, {"H_BELI", "4.00"}, {"H_JUAL1", "4.00"}, {"SISA_STK1", "5.0000"},
                   {"SISA_NIL1", "20.00"}},
              }));

    EXPECT_EQ(records(dir.path() / "PELANG.DBF"),
              (std::vector<Row>{
                  {{"KODE", "C-001"}, {"NAMA", "TOKO SUMBER REJEKI"}, {"NPWP", "01.234.567.8"},
                   {"ALAMAT", "JL. MERDEKA 17"}, {"TELEPON", "061-4567890"}, {"HUBUNGI", "PAK BUDI"},
                   {"TERM_CRD", "30"}, {"MAX_CRD", "15000000.00"},
                   {"CATATAN", "Disc D:   0%  M:   2.5%  H:  10%  0:  12.75%"}},
                  {{"KODE", "C-002"}, {"NAMA", "UD MAKMUR"}, {"NPWP", ""}, {"ALAMAT", "PASAR BARU BLOK A"},
                   {"TELEPON", "0812"}, {"HUBUNGI", ""}, {"TERM_CRD", "30"}, {"MAX_CRD", "0.00"},
                   {"CATATAN", "Disc D:   5%  M:   0%  H:   0%  0:   0%"}},
                  // The last line of the file: no second line.
                  {{"KODE", "C-003"}, {"NAMA", "WARUNG AKHIR"}, {"NPWP", ""}, {"ALAMAT", ""}, {"TELEPON", ""},
                   {"HUBUNGI", ""}, {"TERM_CRD", "30"}, {"MAX_CRD", "250000.00"},
                   {"CATATAN", "Disc D:   1%  M:   1%  H:   1%  0:   1%"}},
              }));

    std::vector<std::string> expected;
    for (int n = 1; n <= 9; ++n) expected.push_back("Item, Read: " + std::to_string(n));
    for (int n = 1; n <= 6; ++n) expected.push_back("Pelanggan, Read: " + std::to_string(n));
    EXPECT_EQ(ui.progressTexts, expected);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "ITEM.CDX"));
}

TEST_F(ReportConverterTest, AMissingOrUnreadableReportLeavesTheTemplatesAsTheyWere) {
    writeFile(dir.path() / "ITEM.DBF", "old item template");
    writeFile(dir.path() / "ITEM.CDX", "old item index");
    writeFile(dir.path() / "PELANG.DBF", "old customer template");
    const std::string item = itemLine("A-1", "SABUN", "1.00", "1") + "\r\n";
    const std::string customer = customerFirstLine(kFirst) + "\r\n" + customerSecondLine(kFirst) + "\r\n";
    const struct {
        const char* itemReport;   // nullptr: no such file
        const char* customerReport;
        std::string error;
    } cases[] = {
        {nullptr, "CUST.TXT", "Missing file: " + folder + "ITEM.TXT"},
        {"ITEM.TXT", nullptr, "Missing file: " + folder + "CUST.TXT"},
        {nullptr, nullptr, "Missing file: " + folder + "ITEM.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        std::filesystem::remove(dir.path() / "ITEM.TXT");
        std::filesystem::remove(dir.path() / "CUST.TXT");
        if (c.itemReport) writeFile(dir.path() / c.itemReport, item);
        if (c.customerReport) writeFile(dir.path() / c.customerReport, customer);
        const auto before = tarvo::test::fileContents(dir.path());
        ui.messages.clear();
        EXPECT_FALSE(convertReports(nullptr, folder).done);
        EXPECT_EQ(errors(), std::vector<std::string>{c.error});
        EXPECT_EQ(tarvo::test::fileContents(dir.path()), before);
        EXPECT_TRUE(ui.progressTexts.empty());
        expectCleanEnd();
    }

    // A folder named like a report is no report.
    writeFile(dir.path() / "ITEM.TXT", item);
    std::filesystem::create_directory(dir.path() / "CUST.TXT");
    ui.messages.clear();
    EXPECT_FALSE(convertReports(nullptr, folder).done);
    EXPECT_EQ(errors(), std::vector<std::string>{"Missing file: " + folder + "CUST.TXT"});
    std::filesystem::remove(dir.path() / "CUST.TXT");

    if (::geteuid() == 0) return;  // the superuser reads every file
    writeFile(dir.path() / "CUST.TXT", customer);
    ::chmod((dir.path() / "CUST.TXT").c_str(), 0);
    const auto before = tarvo::test::fileContents(dir.path());
    ui.messages.clear();
    EXPECT_FALSE(convertReports(nullptr, folder).done);
    EXPECT_EQ(errors(), std::vector<std::string>{"Open error file: " + folder + "CUST.TXT"});
    EXPECT_EQ(tarvo::test::fileContents(dir.path()), before);
}

TEST_F(ReportConverterTest, ANumberTooWideForItsFieldStopsTheConversionAtItsLine) {
    const std::string item = itemLine("A-1", "SABUN", "1.00", "1") + "\r\n";
    const std::string customer = customerFirstLine(kFirst) + "\r\n" + customerSecondLine(kFirst) + "\r\n";
    CustomerText rich = kSecond;
    rich.limit = "1,000,000,000.00";
    const struct {
        std::string itemReport, customerReport, error;
        size_t items, customers;  // records kept
    } cases[] = {
        {item + itemLine("A-2", "EMAS", "12,345,678,901.00", "1") + "\r\n" + item, customer,
         "Number does not fit field H_BELI (N 12,2) : " + folder + "ITEM.TXT line 2 !", 1, 0},
        {item + itemLine("A-2", "EMAS", "1,000,000.00", "99,999,999") + "\r\n", customer,
         "Number does not fit field SISA_NIL1 (N 14,2) : " + folder + "ITEM.TXT line 2 !", 1, 0},
        {item, customer + customerFirstLine(rich) + "\r\n" + customerSecondLine(rich) + "\r\n" + customer,
         "Number does not fit field MAX_CRD (N 12,2) : " + folder + "CUST.TXT line 3 !", 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        writeFile(dir.path() / "ITEM.TXT", c.itemReport);
        writeFile(dir.path() / "CUST.TXT", c.customerReport);
        ui.messages.clear();
        ui.replies = {ui::kReplyYes, ui::kReplyYes};  // replace what the case before left
        EXPECT_FALSE(convertReports(nullptr, folder).done);
        EXPECT_EQ(errors(), std::vector<std::string>{"[BUTTONCREATEDBF2] " + c.error});
        // The records before it stay; no blank record was added for it.
        EXPECT_EQ(records(dir.path() / "ITEM.DBF").size(), c.items);
        EXPECT_EQ(records(dir.path() / "PELANG.DBF").size(), c.customers);
        expectCleanEnd();
    }
}

TEST_F(ReportConverterTest, FilledTemplatesAreReplacedOnlyAfterAQuestionAndKeptAsBak) {
    writeFile(dir.path() / "ITEM.TXT", itemLine("A-1", "SABUN", "1.00", "1") + "\r\n");
    writeFile(dir.path() / "CUST.TXT", customerFirstLine(kFirst) + "\r\n" + customerSecondLine(kFirst) + "\r\n");
    ASSERT_TRUE(convertReports(nullptr, folder).done);
    EXPECT_TRUE(ui.messages.empty()) << "no question while there is nothing to replace";
    writeFile(dir.path() / "ITEM.TXT", itemLine("B-1", "GULA", "2.00", "1") + "\r\n" +
                                           itemLine("B-2", "KOPI", "3.00", "1") + "\r\n");
    const auto before = tarvo::test::fileContents(dir.path());
    const std::string itemQuestion = folder + "ITEM.DBF sudah ada dan berisi 1 record. Ganti?";
    const std::string customerQuestion = folder + "PELANG.DBF sudah ada dan berisi 1 record. Ganti?";

    const struct {
        std::deque<int> replies;
        std::vector<std::string> asked;
    } declined[] = {
        {{ui::kReplyNo}, {itemQuestion}},
        {{ui::kReplyYes, ui::kReplyNo}, {itemQuestion, customerQuestion}},
    };
    for (const auto& c : declined) {
        ui.messages.clear();
        ui.replies = c.replies;
        EXPECT_FALSE(convertReports(nullptr, folder).done);
        std::vector<std::string> asked;
        for (const auto& message : ui.messages) asked.push_back(message.kind + ": " + message.text);
        std::vector<std::string> expected;
        for (const std::string& question : c.asked) expected.push_back("ask: " + question);
        EXPECT_EQ(asked, expected);
        EXPECT_EQ(tarvo::test::fileContents(dir.path()), before) << "nothing changes on No";
        expectCleanEnd();
    }

    ui.messages.clear();
    ui.replies = {ui::kReplyYes, ui::kReplyYes};
    ui.folderChoices = {dir.path().string()};
    const ReportConversion conversion = BUTTONCREATEDBF(nullptr);
    EXPECT_TRUE(conversion.done);
    EXPECT_EQ(records(dir.path() / "ITEM.DBF").size(), 2u);
    const auto after = tarvo::test::fileContents(dir.path());
    EXPECT_EQ(after.at("ITEM.DBF.bak"), before.at("ITEM.DBF"));
    EXPECT_EQ(after.at("PELANG.DBF.bak"), before.at("PELANG.DBF"));
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().kind, "info");
    EXPECT_EQ(ui.messages.back().text,
              "Create DBF selesai: 2 item ditulis ke ITEM.DBF, 1 pelanggan ditulis ke PELANG.DBF.");
}

TEST_F(ReportConverterTest, TheCommandAsksForTheFolderAndFindsTheReportsWhateverTheirCase) {
    ui.folderChoices = {""};
    EXPECT_FALSE(BUTTONCREATEDBF(nullptr).done);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "folder");
    EXPECT_EQ(ui.messages[0].title, "Pilih Lokasi Data:");
    EXPECT_EQ(ui.messages[0].text, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    writeFile(dir.path() / "item.txt", itemLine("A-1", "SABUN", "1.00", "1") + "\r\n");
    writeFile(dir.path() / "Cust.Txt", customerFirstLine(kFirst) + "\r\n" + customerSecondLine(kFirst) + "\r\n");
    ui.folderChoices = {dir.path().string()};
    const ReportConversion conversion = BUTTONCREATEDBF(nullptr);
    EXPECT_TRUE(conversion.done);
    EXPECT_EQ(conversion.itemRecords, 1u);
    EXPECT_EQ(conversion.customerRecords, 1u);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "ITEM.DBF"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "PELANG.DBF"));
    expectCleanEnd();
}

}  // namespace
}  // namespace tarvo::converters
