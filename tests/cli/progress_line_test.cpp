#include "app/cli/progress_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvo::cli {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A progress line drawn into a list of writes, with a clock that the test moves.
struct FakeTerminal {
    Clock::time_point now{};
    std::vector<std::string> writes;
    ProgressLine line{[this](std::string_view text) { writes.emplace_back(text); }, 100, [this] { return now; }};

    // The records of one piece of work, `step` apart, with the engine's text and bar.
    void run(const std::string& text, int records, std::chrono::milliseconds step) {
        for (int i = 1; i <= records; ++i) {
            now += step;
            line.text(text + std::to_string(i) + " / " + std::to_string(records));
            line.bar(static_cast<long>(100.0 * i / records), 100);
        }
    }
    bool wrote(const std::string& part) const {
        for (const std::string& w : writes)
            if (w.find(part) != std::string::npos) return true;
        return false;
    }
};

TEST(ProgressLine, RedrawsAtMostTenTimesASecond) {
    FakeTerminal terminal;
    terminal.run("Import Item : ", 1000, 1ms);  // 2000 updates in one second
    EXPECT_EQ(terminal.line.redraws(), 10);
    terminal.line.finish();  // the last state, then the line ends
    EXPECT_EQ(terminal.line.redraws(), 11);
    ASSERT_GE(terminal.writes.size(), 2u);
    EXPECT_EQ(terminal.writes.back(), "\n");
    EXPECT_EQ(terminal.writes[terminal.writes.size() - 2].rfind("\r\033[KImport Item : 1000 / 1000 [####", 0), 0u);
    terminal.line.finish();  // nothing more to end
    EXPECT_EQ(terminal.writes.back(), "\n");
    EXPECT_EQ(terminal.line.redraws(), 11);
}

TEST(ProgressLine, ShowsBarPercentageRateAndTimeLeft) {
    FakeTerminal terminal;
    terminal.run("Import Item : ", 1000, 2ms);  // 500 records a second
    // Drawn at 2 ms and every 100 ms after: record 501 is drawn at 1002 ms, 500 records after the
    // first; its bar is still record 500's, since the engine sets the text before the bar.
    EXPECT_TRUE(terminal.wrote("\r\033[KImport Item : 501 / 1000 [##########..........]  50%  500/s  0:01 left"));
}

TEST(ProgressLine, ANewPieceOfWorkStartsItsRateAgain) {
    FakeTerminal terminal;
    terminal.run("Import Vendor : ", 100, 20ms);  // 50 a second, 2 s
    terminal.run("Import Item : ", 1000, 1ms);    // 1000 a second, 1 s, drawn from record 20 on
    EXPECT_TRUE(terminal.wrote("Import Vendor : 51 / 100 [##########..........]  50%  50/s  0:01 left"));
    EXPECT_TRUE(terminal.wrote("Import Item : 620 / 1000 [############........]  61%  1.0k/s  0:00 left"));
}

struct LineCase {
    const char* text;
    long position, total;
    double rate, left;
    int width;
    const char* expected;
};

class ProgressLineTextTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProgressLineTextTest, Renders) {
    const LineCase& c = GetParam();
    EXPECT_EQ(progressLineText(c.text, c.position, c.total, c.rate, c.left, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressLineTextTest,
    ::testing::Values(
        // Rate and time left not known yet
        LineCase{"Cek struktur", 0, 0, -1, -1, 80, "Cek struktur [....................]   0%"},
        LineCase{"Item : 7 / 8", 7, 8, 2.4, 0.4, 80, "Item : 7 / 8 [#################...]  87%  2/s  0:00 left"},
        LineCase{"Item", 100, 100, 26100, 3725, 80, "Item [####################] 100%  26.1k/s  1:02:05 left"},
        // A position past the total stays at 100 %
        LineCase{"Item", 150, 100, -1, -1, 80, "Item [####################] 100%"},
        // A narrow terminal: the text is cut first, then the bar goes
        LineCase{"Import Barang : 12 / 300", 4, 100, -1, -1, 40, "Import Bara [....................]   4%"},
        LineCase{"Import Barang : 12 / 300", 4, 100, -1, -1, 20, "Import Barang : 12 "},
        // UTF-8 text is cut between characters, never inside one
        LineCase{"Ümport Ürün", 0, 100, -1, -1, 4, "Ümp"}));

}  // namespace
}  // namespace tarvo::cli
