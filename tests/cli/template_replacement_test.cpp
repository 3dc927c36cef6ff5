// Template writes killed at the moment a new file is about to take the old one's place: every
// template is then either the old file or the new one, and the next run clears the work folder
// the killed run left and ends as an uninterrupted run does. For "templates create",
// "templates from-sheets" and "convert-reports"; and the same writes on a disk that fills up.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A line of a printed report: the text at the start, padded to the length.
std::string reportLine(const std::string& text, size_t length) { return text + std::string(length - text.size(), ' '); }

// The item and customer reports with `items` items and `customers` customers.
void writeReports(const fs::path& folder, int items, int customers) {
    std::string itemReport, customerReport;
    for (int i = 1; i <= items; ++i) itemReport += reportLine("A-" + std::to_string(i), 130) + "\r\n";
    for (int i = 1; i <= customers; ++i) customerReport += reportLine("0000" + std::to_string(i), 140) + "\r\n\r\n";
    writeFile(folder / "ITEM.TXT", itemReport);
    writeFile(folder / "CUST.TXT", customerReport);
}

// What the named templates hold; missing ones are left out.
std::map<std::string, std::string> templatesOf(const fs::path& folder, const std::vector<std::string>& names) {
    std::map<std::string, std::string> all = test::fileContents(folder), chosen;
    for (const std::string& name : names)
        if (all.count(name)) chosen[name] = all[name];
    return chosen;
}

// The work folders of replacements in the folder.
std::vector<std::string> workFolders(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_directory() && entry.path().filename().string().starts_with(".tarvo-work-"))
            found.push_back(entry.path().filename().string());
    return found;
}

struct KillCase {
    const char* point;                              // where the run is killed
    std::vector<std::string> templates;             // the templates the command writes, in their order
    size_t newBeforeKill;                           // how many of them are new when it is killed there
    std::function<void(const fs::path&)> oldState;  // makes the old templates (and the sources)
    std::function<std::string(const fs::path&)> command;  // the run that replaces them
};

void PrintTo(const KillCase& c, std::ostream* out) { *out << c.point << " of " << c.templates.size() << " template(s)"; }

class TemplateReplacementKill : public ::testing::TestWithParam<KillCase> {};

TEST_P(TemplateReplacementKill, LeavesEachTemplateOldOrNewAndTheNextRunClearsUp) {
    const KillCase& c = GetParam();
    test::TempDir dir;
    const fs::path killed = dir.path() / "killed";
    const fs::path whole = dir.path() / "whole";
    for (const fs::path& folder : {killed, whole}) {
        fs::create_directories(folder);
        c.oldState(folder);
    }
    const auto before = templatesOf(killed, c.templates);
    ASSERT_EQ(before.size(), c.templates.size());
    const CliRun uninterrupted = runCli(c.command(whole));
    ASSERT_EQ(uninterrupted.status, 0) << uninterrupted.output;
    const auto after = templatesOf(whole, c.templates);

    const CliRun run = runCliWith(std::string("TARVO_TEST_POINT='") + c.point + " kill'", c.command(killed));
    EXPECT_NE(run.status, 0) << run.output;
    const auto now = templatesOf(killed, c.templates);
    for (size_t i = 0; i < c.templates.size(); ++i) {
        const std::string& name = c.templates[i];
        SCOPED_TRACE(name);
        ASSERT_TRUE(now.count(name));
        ASSERT_NE(before.at(name), after.at(name));
        EXPECT_EQ(now.at(name), i < c.newBeforeKill ? after.at(name) : before.at(name));
    }
    EXPECT_EQ(workFolders(killed).size(), 1u);

    const CliRun again = runCli(c.command(killed));
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_EQ(templatesOf(killed, c.templates), after);
    EXPECT_EQ(workFolders(killed), std::vector<std::string>{});
}

void createItem(const fs::path& folder) { ASSERT_EQ(runCli("templates create " + folder.string() + " item").status, 0); }

void itemAndVendorSheets(const fs::path& folder, const std::string& extraRow) {
    fs::create_directories(folder / "csv");
    writeFile(folder / "csv" / "ITEM.csv", "KODE;NAMA\nA1;Apel\n" + extraRow);
    writeFile(folder / "csv" / "VENDOR.csv", "KODE;NAMA\nV1;Vendor Satu\n" + extraRow);
}

std::string fromSheets(const fs::path& folder) {
    return "templates from-sheets " + (folder / "csv").string() + " " + folder.string() + " --yes";
}

const KillCase kCases[] = {
    {"replace-ITEM.DBF", {"ITEM.DBF"}, 0, createItem,
     [](const fs::path& folder) { return "templates create " + folder.string() + " item --all --yes"; }},
    {"replace-ITEM.DBF", {"ITEM.DBF", "VENDOR.DBF"}, 0,
     [](const fs::path& folder) {
         itemAndVendorSheets(folder, "");
         ASSERT_EQ(runCli(fromSheets(folder)).status, 0);
         itemAndVendorSheets(folder, "X2;Dua\n");
     },
     fromSheets},
    {"replace-VENDOR.DBF", {"ITEM.DBF", "VENDOR.DBF"}, 1,
     [](const fs::path& folder) {
         itemAndVendorSheets(folder, "");
         ASSERT_EQ(runCli(fromSheets(folder)).status, 0);
         itemAndVendorSheets(folder, "X2;Dua\n");
     },
     fromSheets},
    {"replace-ITEM.DBF", {"ITEM.DBF", "PELANG.DBF"}, 0,
     [](const fs::path& folder) {
         writeReports(folder, 1, 1);
         ASSERT_EQ(runCli("convert-reports " + folder.string()).status, 0);
         writeReports(folder, 2, 2);
     },
     [](const fs::path& folder) { return "convert-reports " + folder.string() + " --yes"; }},
    {"replace-PELANG.DBF", {"ITEM.DBF", "PELANG.DBF"}, 1,
     [](const fs::path& folder) {
         writeReports(folder, 1, 1);
         ASSERT_EQ(runCli("convert-reports " + folder.string()).status, 0);
         writeReports(folder, 2, 2);
     },
     [](const fs::path& folder) { return "convert-reports " + folder.string() + " --yes"; }},
};

INSTANTIATE_TEST_SUITE_P(Commands, TemplateReplacementKill, ::testing::ValuesIn(kCases));

// A disk that fills up while the new templates are written leaves the old ones as they were and
// no work folder.
TEST(TemplateReplacementDiskFull, LeavesTheOldTemplates) {
    for (const KillCase& c : {kCases[2], kCases[4]}) {
        SCOPED_TRACE(c.templates.back());
        test::TempDir dir;
        c.oldState(dir.path());
        const auto before = templatesOf(dir.path(), c.templates);
        const CliRun run = runCliWith("TARVO_TEST_WRITE_LIMIT=100", c.command(dir.path()));
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("No space left on device"), std::string::npos) << run.output;
        EXPECT_EQ(templatesOf(dir.path(), c.templates), before);
        EXPECT_EQ(workFolders(dir.path()), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace tarvo::cli
