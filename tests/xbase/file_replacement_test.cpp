// New tables put in the place of old ones: the new table's memo comes with it, the old one's
// index and its entries under another case of the name go, a table not committed leaves the
// folder as it was, and the work folder goes in every case.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "tests/support/test_support.h"
#include "xbase/file_replacement.h"
#include "xbase/table.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileReplacement, PutsTheNewTableWithItsMemoInPlaceOfTheOldOneAndItsFiles) {
    test::TempDir dir;
    for (const char* old : {"item.dbf", "ITEM.CDX", "ITEM.FPT", "VENDOR.DBF"}) writeFile(dir.path() / old, "old");
    std::vector<std::string> heard;
    {
        FileReplacement replacement(dir.path());
        Table::create(replacement.workFolder() / "ITEM.DBF", {{"KODE", 'C', 10, 0}, {"CATATAN", 'M', 10, 0}},
                      Driver::DBFCDX);
        ASSERT_TRUE(fs::exists(replacement.workFolder() / "ITEM.FPT"));
        replacement.commit({"ITEM.DBF"}, [&heard](const std::string& table) { heard.push_back(table); });
    }
    EXPECT_EQ(heard, std::vector<std::string>{"ITEM.DBF"});
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"ITEM.DBF", "ITEM.FPT", "VENDOR.DBF"}));
    EXPECT_EQ(Table::open(dir.path() / "ITEM.DBF", {})->fieldCount(), 2);
}

TEST(FileReplacement, WithoutCommitTheFolderStaysAsItWas) {
    test::TempDir dir;
    writeFile(dir.path() / "ITEM.DBF", "old");
    const fs::path made = dir.path() / "new";
    {
        FileReplacement replacement(dir.path());
        Table::create(replacement.workFolder() / "ITEM.DBF", {{"KODE", 'C', 10, 0}}, Driver::DBFCDX);
        FileReplacement inNewFolder(made);
    }
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"ITEM.DBF"});
    EXPECT_EQ(test::fileContents(dir.path()).at("ITEM.DBF"), "old");
}

}  // namespace
}  // namespace tarvo::xbase
