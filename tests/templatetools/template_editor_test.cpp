// The template editor's engine: the records shown, delete and recall with TGL_HAPUS, recall all,
// zap and pack with their questions and with the file held by another program, the filter, the
// paste of a column, and typed cells checked against the field.

#include "templatetools/template_editor.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "xbase/settings.h"

namespace tarvo::templatetools {
namespace {

using xbase::Date;
using xbase::Value;

class TemplateEditorTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }

    // A template with the fields given and `records` records whose KODE is K1, K2, ...
    std::string make(const std::vector<xbase::FieldInfo>& fields, int records, const char* name = "T.DBF") {
        const auto path = dir.path() / name;
        xbase::Table::create(path, fields, xbase::Driver::DBFCDX);
        auto table = xbase::Table::open(path, {});
        for (int i = 1; i <= records; ++i) {
            table->append();
            table->fieldPut("KODE", Value("K" + std::to_string(i)));
        }
        return path.string();
    }
    static Value get(EditedTemplate& t, uint32_t recno, const char* field) {
        t.table()->goTo(recno);
        return t.table()->fieldGet(field);
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(TemplateEditorTest, EditorPagesAreTheEighteenTemplatesWithTheirGridColours) {
    const auto& pages = editorPages();
    ASSERT_EQ(pages.size(), catalogue().size());
    for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].fileName, catalogue()[i].fileName);
        EXPECT_EQ(pages[i].tabCaption, catalogue()[i].tabCaption);
    }
    EXPECT_EQ(pages[8].grid, (Rgb{205, 25, 156}));
    EXPECT_EQ(pages[11].pageClass, "WINIMPORTEDIT82");
}

TEST_F(TemplateEditorTest, SplitsTheClipboardIntoLinesEndedByLfOrCrLfKeepingALastLineWithoutEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases{
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nc", {"a", "", "c"}},
        {"only", {"only"}},
        {"\n", {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(textLines(c.text), c.lines) << c.text;
}

TEST_F(TemplateEditorTest, ConvertsPastedTextByFieldType) {
    EXPECT_EQ(pastedValue('C', " abc "), Value(" abc "));
    EXPECT_EQ(pastedValue('N', "12.5abc"), Value(12.5));
    EXPECT_EQ(pastedValue('N', "abc"), Value(0.0));
    EXPECT_EQ(pastedValue('D', "20100131"), Value(Date{2010, 1, 31}));
    EXPECT_EQ(pastedValue('D', "20100231"), Value(Date{}));
    EXPECT_EQ(pastedValue('D', "31/01/2010"), Value(Date{}));
    EXPECT_EQ(pastedValue('L', "1"), Value(true));
    EXPECT_EQ(pastedValue('L', "9x"), Value(true));
    EXPECT_EQ(pastedValue('L', "Y"), Value(false));
    EXPECT_EQ(pastedValue('L', "0"), Value(false));
}

TEST_F(TemplateEditorTest, PastingFillsConsecutiveRecordsAndAppendsAfterTheLast) {
    EditedTemplate t(make({{"KODE", 'C', 5, 0}, {"HARGA", 'N', 8, 2}, {"TANGGAL", 'D', 8, 0}, {"AKTIF", 'L', 1, 0}}, 2));
    EXPECT_EQ(t.pasteColumn(nullptr, "KODE", "A\nB\r\nC\n\nE", 1), 5u);
    EXPECT_EQ(t.rowCount(), 5u);
    const std::vector<std::string> codes{"A", "B", "C", "", "E"};
    for (uint32_t r = 1; r <= 5; ++r) EXPECT_EQ(t.cellText(r, 1), codes[r - 1]) << r;

    // From the second record on: an empty line leaves its field as it was.
    EXPECT_EQ(t.pasteColumn(nullptr, "TANGGAL", "20100131\n\nbad", 2), 4u);
    EXPECT_EQ(get(t, 2, "TANGGAL").date(), (Date{2010, 1, 31}));
    EXPECT_EQ(get(t, 4, "TANGGAL").date(), Date{});
    EXPECT_EQ(t.pasteColumn(nullptr, "AKTIF", "1\nY", 1), 2u);
    EXPECT_TRUE(get(t, 1, "AKTIF").logical());
    EXPECT_FALSE(get(t, 2, "AKTIF").logical());
    EXPECT_EQ(ui.progressTexts.back(), "Proses no. 2");

    // A number too wide for its field is left out and reported; the others are written.
    EXPECT_EQ(t.pasteColumn(nullptr, "HARGA", "1.5\n123456789\n7", 1), 3u);
    EXPECT_EQ(get(t, 1, "HARGA").number(), 1.5);
    EXPECT_EQ(get(t, 2, "HARGA").number(), 0.0);
    EXPECT_EQ(get(t, 3, "HARGA").number(), 7.0);
    ASSERT_EQ(ui.count("warning"), 1u);
    EXPECT_EQ(ui.messages.back().text, "1 nilai tidak muat di field HARGA dan tidak diisi (baris 2).");

    // Nothing to paste: the position stays.
    EXPECT_EQ(t.pasteColumn(nullptr, "KODE", "", 3), 3u);
    EXPECT_EQ(t.rowCount(), 5u);
}

TEST_F(TemplateEditorTest, DeleteMarksTheRecordAndRecallClearsTglHapusOnlyWhereItExists) {
    EditedTemplate with(make({{"KODE", 'C', 5, 0}, {"TGL_HAPUS", 'D', 8, 0}}, 2, "WITH.DBF"));
    with.table()->goTo(1);
    with.table()->fieldPut("TGL_HAPUS", Value(Date{2024, 5, 1}));
    ASSERT_TRUE(with.BROWSERHAPUS(nullptr, 1));
    EXPECT_TRUE((with.table()->goTo(1), with.table()->deleted()));
    EXPECT_EQ(with.rowCount(), 2u);  // still shown
    EXPECT_EQ(get(with, 1, "TGL_HAPUS").date(), (Date{2024, 5, 1}));  // deleting writes nothing else
    ASSERT_TRUE(with.BROWSERHAPUS(nullptr, 1));
    EXPECT_FALSE((with.table()->goTo(1), with.table()->deleted()));
    EXPECT_EQ(get(with, 1, "TGL_HAPUS").date(), Date{});

    EditedTemplate without(make({{"KODE", 'C', 5, 0}}, 1, "WITHOUT.DBF"));
    ASSERT_TRUE(without.BROWSERHAPUS(nullptr, 1));
    ASSERT_TRUE(without.BROWSERHAPUS(nullptr, 1));
    EXPECT_FALSE((without.table()->goTo(1), without.table()->deleted()));
    EXPECT_EQ(without.cellText(1, 1), "K1");
}

TEST_F(TemplateEditorTest, ARecordHeldByAnotherProgramIsNotWritten) {
    const std::string path = make({{"KODE", 'C', 5, 0}}, 1);
    EditedTemplate t(path);
    auto other = xbase::Table::open(path, {});
    ASSERT_TRUE(other->lockRecord(1));
    EXPECT_FALSE(t.BROWSERHAPUS(nullptr, 1));
    EXPECT_EQ(ui.messages.back().text, "Record 1 sedang dikunci program lain.");
    std::string problem;
    EXPECT_FALSE(t.setCell(1, 1, "X", problem));
    EXPECT_EQ(problem, "Record 1 sedang dikunci program lain.");
    EXPECT_FALSE((t.table()->goTo(1), t.table()->deleted()));
}

TEST_F(TemplateEditorTest, APasteStopsAtTheFirstRecordAnotherProgramHolds) {
    const std::string path = make({{"KODE", 'C', 5, 0}}, 3);
    EditedTemplate t(path);
    auto other = xbase::Table::open(path, {});
    ASSERT_TRUE(other->lockRecord(2));
    EXPECT_EQ(t.pasteColumn(nullptr, "KODE", "A\nB\nC\n", 1), 1u);
    EXPECT_EQ(ui.messages.back().text, "Record 2 sedang dikunci program lain.");
    EXPECT_EQ(t.cellText(1, 1), "A");
    EXPECT_EQ(t.cellText(2, 1), "K2");
    EXPECT_EQ(t.cellText(3, 1), "K3");
    // Once it is free, the whole paste goes through, and locks nothing afterwards.
    other->unlockRecord(2);
    EXPECT_EQ(t.pasteColumn(nullptr, "KODE", "A\nB\nC\nD", 1), 4u);
    EXPECT_EQ(t.cellText(4, 1), "D");
    EXPECT_TRUE(other->lockRecords(1, 4));
}

TEST_F(TemplateEditorTest, RecallAllAsksFirstAndRecallsEveryDeletedRecord) {
    EditedTemplate t(make({{"KODE", 'C', 5, 0}, {"TGL_HAPUS", 'D', 8, 0}}, 3));
    for (uint32_t r : {1u, 3u}) {
        t.table()->goTo(r);
        t.table()->deleteRecord();
        t.table()->fieldPut("TGL_HAPUS", Value(Date{2024, 1, static_cast<int>(r)}));
    }
    t.table()->commit();
    const auto before = test::fileContents(dir.path());
    EXPECT_FALSE(t.BROWSERRECALLALL(nullptr));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Undelete semua?");
    EXPECT_EQ(ui.messages[0].text, "Anda yakin untuk recall/undelete semua record ?");
    EXPECT_EQ(test::fileContents(dir.path()), before);

    ui.replies.push_back(ui::kReplyYes);
    EXPECT_TRUE(t.BROWSERRECALLALL(nullptr));
    for (uint32_t r = 1; r <= 3; ++r) {
        EXPECT_FALSE((t.table()->goTo(r), t.table()->deleted())) << r;
        EXPECT_EQ(get(t, r, "TGL_HAPUS").date(), Date{}) << r;
    }
}

TEST_F(TemplateEditorTest, ZapAndPackAskFirstAndLeaveAFileHeldByAnotherProgramUntouched) {
    struct Case {
        bool zap;
        const char* question;
        uint32_t left;
    };
    for (const Case& c : {Case{true, "Anda yakin untuk Hapus Seluruh Record Database ?", 0},
                          Case{false, "Anda yakin untuk Pack Database (Hapus record yang tertanda Deleted) ?", 2}}) {
        SCOPED_TRACE(c.question);
        test::TempDir where;
        const auto path = where.path() / "T.DBF";
        xbase::Table::create(path, {{"KODE", 'C', 5, 0}}, xbase::Driver::DBFCDX);
        {
            auto table = xbase::Table::open(path, {});
            for (int i = 0; i < 3; ++i) table->append();
            table->goTo(2);
            table->deleteRecord();
        }
        EditedTemplate t(path.string());
        auto command = [&] { return c.zap ? t.BUTTONZAP(nullptr) : t.BUTTONPACK(nullptr); };
        const auto before = test::fileContents(where.path());
        ui.messages.clear();

        EXPECT_FALSE(command());  // declined
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, "Yakin?");
        EXPECT_EQ(ui.messages[0].text, c.question);
        EXPECT_EQ(test::fileContents(where.path()), before);

        {   // Another program has the file open: a message, the page keeps working, nothing changes.
            auto other = xbase::Table::open(path, {});
            ui.replies.push_back(ui::kReplyYes);
            EXPECT_FALSE(command());
            EXPECT_EQ(ui.messages.back().kind, "error");
            EXPECT_EQ(ui.messages.back().text, "File " + path.string() + " sedang dipakai program lain.\r\n" +
                                                   (c.zap ? "Zap" : "Pack") + " tidak dijalankan; data tidak diubah.");
            ASSERT_NE(t.table(), nullptr);
            EXPECT_EQ(t.rowCount(), 3u);
        }
        EXPECT_EQ(test::fileContents(where.path()), before);

        ui.replies.push_back(ui::kReplyYes);
        EXPECT_TRUE(command());
        ASSERT_NE(t.table(), nullptr);
        EXPECT_EQ(t.rowCount(), c.left);
        EXPECT_FALSE(t.table()->exclusive());
        EXPECT_EQ(t.BROWSERTAMBAH(), c.left + 1);  // shared and writable again
    }
}

TEST_F(TemplateEditorTest, AFilterShowsTheRecordsItAdmitsAndAWrongOneKeepsTheOldFilter) {
    EditedTemplate t(make({{"KODE", 'C', 5, 0}, {"HARGA", 'N', 6, 0}}, 4));
    for (uint32_t r = 1; r <= 4; ++r) (t.table()->goTo(r), t.table()->fieldPut("HARGA", Value(static_cast<int>(r * 10))));
    t.table()->goTo(3);
    t.table()->deleteRecord();  // deleted records stay visible under a filter too

    ASSERT_TRUE(t.setFilter(nullptr, "HARGA >= 20"));
    EXPECT_EQ(t.CFILTER(), "HARGA >= 20");
    ASSERT_EQ(t.rowCount(), 3u);
    EXPECT_EQ(t.recnoAt(0), 2u);
    EXPECT_EQ(t.recnoAt(2), 4u);
    EXPECT_EQ(t.rowOf(1), std::nullopt);
    EXPECT_EQ(t.rowOf(4), 2u);

    EXPECT_FALSE(t.setFilter(nullptr, "UPPER(KODE"));
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages.back().text, "Filter tidak bisa dipakai:\r\nExpression \"UPPER(KODE\" : ')' expected at position 11");
    EXPECT_FALSE(t.setFilter(nullptr, "HARGA + 1"));
    EXPECT_NE(ui.messages.back().text.find("not a logical expression"), std::string::npos);
    EXPECT_FALSE(t.setFilter(nullptr, "NOFIELD = 1"));
    EXPECT_EQ(t.CFILTER(), "HARGA >= 20");
    EXPECT_EQ(t.rowCount(), 3u);

    ASSERT_TRUE(t.setFilter(nullptr, ""));
    EXPECT_EQ(t.CFILTER(), "");
    EXPECT_EQ(t.rowCount(), 4u);
    EXPECT_EQ(t.recnoAt(0), 1u);
}

TEST_F(TemplateEditorTest, TypedCellsAreCheckedAgainstTheFieldsTypeAndWidth) {
    EditedTemplate t(make({{"KODE", 'C', 5, 0}, {"HARGA", 'N', 6, 2}, {"TANGGAL", 'D', 8, 0}, {"AKTIF", 'L', 1, 0}}, 1));
    struct Case {
        int field;
        std::string text;
        bool accepted;
        std::string shown;  // the cell afterwards
    };
    const std::vector<Case> cases{
        {1, "ABCDE", true, "ABCDE"},
        {1, "ABCDEF", false, "ABCDE"},
        {1, "é", true, "é"},
        {2, "12,5", true, "12,50"},
        {2, "-1.25", true, "-1,25"},
        {2, "1000", false, "-1,25"},
        {2, "12a", false, "-1,25"},
        {2, "", true, "0,00"},
        {3, "31/01/2010", true, "31/01/2010"},
        {3, "31/02/2010", false, "31/01/2010"},
        {3, "", true, ""},
        {4, "t", true, "T"},
        {4, "N", true, "F"},
        {4, "ya", false, "F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string problem;
        EXPECT_EQ(t.setCell(1, c.field, c.text, problem), c.accepted) << problem;
        EXPECT_EQ(problem.empty(), c.accepted);
        EXPECT_EQ(t.cellText(1, c.field), c.shown);
    }
}

}  // namespace
}  // namespace tarvo::templatetools
