// Locating, preparing and closing the retail database on the sample database.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <set>

#include "retaildb/catalogue.h"
#include "retaildb/program_end.h"
#include "retaildb/retail_database.h"
#include "sampledata/retail_db.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table_indexes.h"
#include "xbase/work_areas.h"

namespace tarvo::retaildb {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> snapshot(const fs::path& folder, const std::string& extension) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != extension) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

std::set<std::string> indexFiles(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& [name, bytes] : snapshot(folder, ".CDX")) names.insert(name);
    return names;
}

// Makes a file that not even root can delete (immutable attribute); false where that is not possible.
bool makeUndeletable(const fs::path& path, bool undeletable) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = undeletable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

class RetailDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        sampledata::makeSampleRetailDatabase(dir.path());
        db = dir.path() / "ST_DB";
        folder = db.string() + "/";
        setOpenRetryLimit(std::chrono::milliseconds(300));
    }
    void TearDown() override {
        xbase::workAreas().closeAll();
        setOpenRetryLimit(std::chrono::milliseconds(3000));
    }
    std::vector<std::string> errors() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages)
            if (m.kind == "error") out.push_back(m.text);
        return out;
    }
    uint32_t records(const std::string& alias) {
        auto t = xbase::Table::open(db / (alias + ".Q7T"), xbase::OpenOptions{false, true, xbase::Driver::DBFNTX});
        return t->recCount();
    }
    // Each table's bytes stay as they were when a preparation is refused.
    void expectTablesUntouched(const std::map<std::string, std::string>& before) {
        xbase::workAreas().closeAll();
        EXPECT_TRUE(snapshot(db, ".Q7T") == before);
    }

    test::TempDir dir;
    fs::path db;
    std::string folder;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(RetailDatabaseTest, FolderTextResolvesToTheStDbFolder) {
    for (const std::string& text : {dir.path().string(), dir.path().string() + "/", "  " + folder + "  ",
                                    dir.path().string() + "/st_db"}) {
        SCOPED_TRACE(text);
        std::string resolved = LOKASIDATAEX(nullptr, text);
        EXPECT_EQ(fs::canonical(resolved), fs::canonical(db));
        EXPECT_EQ(resolved.back(), '/');
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(LOKASIDATAEX(nullptr, "\\\\server\\toko"), "");
    EXPECT_EQ(LOKASIDATAEX(nullptr, db.string()), folder);
    fs::create_directory(dir.path() / "KOSONG");
    EXPECT_EQ(LOKASIDATAEX(nullptr, (dir.path() / "KOSONG").string()), "");
    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!",
                            "Sistem tidak menemukan Lokasi Data ! ( " + (dir.path() / "KOSONG").string() + "/ST_DB/ )",
                        }));
    EXPECT_TRUE(DIREXIST(folder));
    EXPECT_FALSE(DIREXIST((dir.path() / "NONE").string()));
}

TEST_F(RetailDatabaseTest, PreparationEmptiesOpensAndIndexesAsTheStateTableSays) {
    const auto kontroBefore = snapshot(db, ".Q7T").at("S_KONTRO.Q7T");
    ASSERT_EQ(LOKASIDATA(nullptr, dir.path().string()), folder);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(xbase::workAreas().aliases().size(), catalogue().size());
    EXPECT_EQ(indexFiles(db), (std::set<std::string>{"S_TABLID.CDX", "S_KONTRO.CDX", "S_SATUAN.CDX", "S_STOCK.CDX",
                                                     "S_SALES.CDX", "S_STKSER.CDX"}));
    xbase::Table* stock = xbase::workAreas().find("S_STOCK");
    ASSERT_EQ(stock->orderCount(), 6);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(stock->order(i)->name(), stockWorkingTags()[i - 1].name);
        EXPECT_EQ(stock->order(i)->tag().info().keyExpression, stockWorkingTags()[i - 1].keyExpression);
    }
    xbase::workAreas().closeAll();
    for (const std::string& alias : emptiedTables()) EXPECT_EQ(records(alias), 0u) << alias;
    EXPECT_GE(records("S_TABLID"), 70u);
    EXPECT_EQ(snapshot(db, ".Q7T").at("S_KONTRO.Q7T"), kontroBefore);
    for (const char* alias : {"S_STOCK", "S_SATUAN", "S_TABLID", "S_KONTRO"}) {
        auto t = xbase::Table::open(db / (std::string(alias) + ".Q7T"), xbase::OpenOptions{false, true, xbase::Driver::DBFCDX});
        for (const auto& order : t->indexes()->orders()) EXPECT_TRUE(t->indexes()->check(*order).empty()) << alias;
    }
}

TEST_F(RetailDatabaseTest, ClosingDeletesTheListedIndexFilesInBothModes) {
    for (bool stockClosing : {false, true}) {
        SCOPED_TRACE(stockClosing);
        ASSERT_EQ(LOKASIDATA(nullptr, folder), folder);
        xbase::workAreas().find("S_STOCK")->append();
        closeRetailDatabase(nullptr, folder, stockClosing);
        EXPECT_TRUE(xbase::workAreas().aliases().empty());
        std::set<std::string> expected = {"S_TABLID.CDX", "S_KONTRO.CDX", "S_SATUAN.CDX"};
        if (!stockClosing) expected.insert("S_STKSER.CDX");
        EXPECT_EQ(indexFiles(db), expected);
        EXPECT_EQ(records("S_STOCK"), 1u);
        for (const char* alias : {"S_SATUAN", "S_TABLID", "S_KONTRO"}) {
            auto t = xbase::Table::open(db / (std::string(alias) + ".Q7T"), xbase::OpenOptions{false, true, xbase::Driver::DBFCDX});
            EXPECT_GT(t->orderCount(), 0);
            for (const auto& order : t->indexes()->orders()) EXPECT_TRUE(t->indexes()->check(*order).empty()) << alias;
        }
        sampledata::makeSampleRetailDatabase(dir.path());
    }
}

TEST_F(RetailDatabaseTest, MissingTableStopsBeforeAnythingIsEmptied) {
    fs::remove(db / "S_STKKEX.Q7T");
    const auto before = snapshot(db, ".Q7T");
    const auto indexesBefore = snapshot(db, ".CDX");
    EXPECT_EQ(LOKASIDATA(nullptr, folder), "");
    EXPECT_EQ(errors(), std::vector<std::string>{"Missing file : " + folder + "S_STKKEX.Q7T !"});
    expectTablesUntouched(before);
    EXPECT_TRUE(snapshot(db, ".CDX") == indexesBefore);  // no index file deleted either
    // A second preparation in the same run, with the table back, succeeds.
    sampledata::makeSampleRetailDatabase(dir.path());
    EXPECT_EQ(LOKASIDATA(nullptr, folder), folder);
}

TEST_F(RetailDatabaseTest, TableHeldByAnotherProcessIsReportedByName) {
    const auto before = snapshot(db, ".Q7T");
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    pid_t child = fork();
    if (child == 0) {
        auto held = xbase::Table::open(db / "S_PENJUA.Q7T", xbase::OpenOptions{true, true, xbase::Driver::DBFNTX});
        char c = 1;
        (void)!::write(ready[1], &c, 1);
        (void)!::read(release[0], &c, 1);
        _exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(LOKASIDATA(nullptr, folder), "");
    (void)!::write(release[1], &c, 1);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(errors(), std::vector<std::string>{"[VOOpen] File is in use by another program : " + folder + "S_PENJUA.Q7T !"});
    expectTablesUntouched(before);
}

TEST_F(RetailDatabaseTest, UndeletableIndexFileStopsThePreparation) {
    const fs::path index = db / "S_VENDOR.CDX";
    if (!makeUndeletable(index, true)) GTEST_SKIP() << "the file system cannot make a file undeletable here";
    const auto before = snapshot(db, ".Q7T");
    std::string result = LOKASIDATA(nullptr, folder);
    makeUndeletable(index, false);
    EXPECT_EQ(result, "");
    EXPECT_EQ(errors(), std::vector<std::string>{"[VOFErase] Cannot delete file : " + index.string() + " !"});
    EXPECT_TRUE(xbase::workAreas().aliases().empty());
    expectTablesUntouched(before);
}

TEST_F(RetailDatabaseTest, EmptyIndexFileBesideATableIsRemovedBeforeTheOpen) {
    std::ofstream(db / "S_TABLID.CDX", std::ios::trunc).close();
    ASSERT_TRUE(VOOPEN("S_TABLID.Q7T", "S_TABLID", folder, false, false, "DBFCDX"));
    EXPECT_FALSE(fs::exists(db / "S_TABLID.CDX"));
    EXPECT_EQ(xbase::workAreas().find("S_TABLID")->orderCount(), 0);
    // A file named in a path ignores the folder argument, and names match ignoring case.
    ASSERT_TRUE(VOOPEN(db.string() + "/s_kontro.q7t", "S_KONTRO", "/nowhere", true, true, ""));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo::retaildb
