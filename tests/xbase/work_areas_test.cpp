#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::xbase {
namespace {

class WorkAreasTest : public ::testing::Test {
protected:
    void SetUp() override {
        applyStartupSettings();
        for (const char* name : {"A.DBF", "B.DBF"}) Table::create(dir.path() / name, {{"KODE", 'C', 5, 0}}, Driver::DBFCDX);
    }
    test::TempDir dir;
    WorkAreas areas;
};

TEST_F(WorkAreasTest, OpenSelectAndCloseByAlias) {
    ASSERT_TRUE(areas.use(dir.path() / "A.DBF", "s_one", OpenOptions{true, false, Driver::DBFCDX}));
    ASSERT_TRUE(areas.use(dir.path() / "B.DBF", "S_TWO", OpenOptions{}));
    EXPECT_EQ(areas.alias(), "S_TWO");  // a new area becomes current
    EXPECT_EQ(areas.currentArea(), 2);
    EXPECT_EQ(areas.select("S_ONE"), 1);
    EXPECT_EQ(areas.current()->path(), dir.path() / "A.DBF");
    EXPECT_EQ(areas.select("NOPE"), 0);
    EXPECT_EQ(areas.current(), nullptr);
    EXPECT_EQ(areas.alias(), "");

    areas.selectArea(2);
    areas.current()->append();
    areas.current()->fieldPut(1, Value("X"));
    areas.commitAll();
    EXPECT_EQ(areas.find("s_two")->recCount(), 1u);

    EXPECT_TRUE(areas.close("S_ONE"));
    EXPECT_FALSE(areas.close("S_ONE"));
    EXPECT_EQ(areas.aliases(), std::vector<std::string>{"S_TWO"});
    // The freed area number is used again.
    ASSERT_TRUE(areas.use(dir.path() / "A.DBF", "S_THREE", OpenOptions{}));
    EXPECT_EQ(areas.currentArea(), 1);
    areas.closeAll();
    EXPECT_TRUE(areas.aliases().empty());
    EXPECT_EQ(areas.current(), nullptr);
}

TEST_F(WorkAreasTest, FailedOpensAreReportedNotRaised) {
    ASSERT_TRUE(areas.use(dir.path() / "A.DBF", "S_ONE", OpenOptions{true, false, Driver::DBFCDX}));
    EXPECT_FALSE(areas.use(dir.path() / "B.DBF", "S_ONE", OpenOptions{}));
    EXPECT_NE(areas.lastError().find("already in use"), std::string::npos);
    EXPECT_FALSE(areas.use(dir.path() / "A.DBF", "S_AGAIN", OpenOptions{}));  // held exclusively
    EXPECT_NE(areas.lastError().find("in use by another program"), std::string::npos);
    EXPECT_FALSE(areas.use(dir.path() / "MISSING.DBF", "S_X", OpenOptions{}));
    EXPECT_NE(areas.lastError().find("MISSING.DBF"), std::string::npos);
    EXPECT_EQ(areas.alias(), "S_ONE");  // a failed open leaves the current area as it was
}

}  // namespace
}  // namespace tarvo::xbase
