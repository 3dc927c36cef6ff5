#include "app/core/data_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/test_support.h"

namespace tarvo::app {
namespace {

namespace fs = std::filesystem;

TEST(DataFiles, BesideTheProgramFirstThenInTheInstallationsShareFolder) {
    test::TempDir dir;
    const fs::path bin = dir.path() / "usr" / "bin";
    const fs::path share = dir.path() / "usr" / "share" / "tarvo-import";
    fs::create_directories(bin);
    fs::create_directories(share);
    // Installed: bin/ holds the programs, share/tarvo-import/ the picture.
    std::ofstream(share / "back.tvs") << "BM";
    EXPECT_EQ(dataFile("back.tvs", bin), share / "back.tvs");
    // The build tree, or a copy beside the program, wins.
    std::ofstream(bin / "back.tvs") << "BM";
    EXPECT_EQ(dataFile("back.tvs", bin), bin / "back.tvs");
    // Found nowhere: the installed place, for the caller to find missing.
    EXPECT_EQ(dataFile("other.tvs", bin), share / "other.tvs");
}

}  // namespace
}  // namespace tarvo::app
