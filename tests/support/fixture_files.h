#pragma once
// Files written by other programs (an Access database, FoxPro tables with their indexes), kept
// beside the project in the shared fixtures folder and never copied into it. Tests that need one
// pass over it when the folder is absent.

#include <filesystem>
#include <string>

namespace tarvo::test {

// A file of the shared fixtures folder by its path there ("mdb/nwind.mdb").
inline std::filesystem::path fixturePath(const std::string& relative) {
    return std::filesystem::path(TARVO_FIXTURES_DIR) / relative;
}

// The real Access database of the fixtures.
inline std::filesystem::path nwindMdb() { return fixturePath("mdb/nwind.mdb"); }

// A FoxPro 2 ("foxpro2") or Visual FoxPro ("vfp") table of the fixtures, with its memo and index.
inline std::filesystem::path foreignTable(const std::string& kind) { return fixturePath("cdx/" + kind + "/TEST.DBF"); }

}  // namespace tarvo::test

// Ends the current test as skipped when a fixture file is missing.
#define TARVO_SKIP_WITHOUT_FIXTURE(path) \
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "fixture " << (path).string() << " is absent"
