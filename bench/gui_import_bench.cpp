// The template import through the main window against the same import as the command line runs
// it: a sample shop of TARVO_BENCH_ITEMS items (default 200,000), imported alternately both ways
// into a fresh copy of one sample retail database. Prints the best time of each way, their ratio
// and the longest pause of the window's event loop during the window import.
//
//   TARVO_BENCH_ITEMS=200000 TARVO_BENCH_RUNS=2 QT_QPA_PLATFORM=offscreen build-bench/bench/gui_import_bench

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/gui/qt_interaction.h"
#include "bench/bench_support.h"
#include "app/gui/win_import.h"
#include "sampledata/retail_db.h"
#include "importing/import_options.h"
#include "importing/reject_list.h"
#include "sampledata/templates.h"
#include "templates/template_import.h"
#include "xbase/dates.h"
#include "xbase/settings.h"

namespace fs = std::filesystem;
using namespace tarvo;

using bench::envCount;
using bench::secondsSince;
using bench::Stopwatch;
using bench::Timing;

namespace {

// Every question answered Yes, the other boxes printed instead of waiting for a click.
template <class Base>
class AnsweringYes final : public Base {
public:
    int askEx(ui::Owner, const std::string&, const std::string&, int, int) override { return ui::kReplyYes; }
    void error(ui::Owner, const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
    void warning(ui::Owner, const std::string& title, const std::string& text) override {
        std::fprintf(stderr, "warning [%s]: %s\n", title.c_str(), text.c_str());
    }
    void info(ui::Owner, const std::string& title, const std::string& text) override {
        std::fprintf(stderr, "info [%s]: %s\n", title.c_str(), text.c_str());
    }
};

// The command line's interaction with its output not on a terminal and --yes: progress not shown.
using SilentYes = AnsweringYes<ui::SilentInteraction>;
// The desktop program's interaction; the progress window and the event passes are the real ones.
using ScriptedQtInteraction = AnsweringYes<gui::QtInteraction>;

// Measures how long the event loop went without a pass: a 10 ms timer notes the longest time
// between two of its ticks and the progress line shown when that pause began. It also closes
// the reject window, which the window import shows modally at its end.
class EventLoopProbe {
public:
    explicit EventLoopProbe(const ScriptedQtInteraction& interaction) : interaction_(interaction) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        longestMs_ = 0;
        ticks_ = 0;
        since_.start();
        timer_.start();
    }
    void stop() { timer_.stop(); }
    qint64 longestMs() const { return longestMs_; }
    long ticks() const { return ticks_; }
    const QString& longestAt() const { return longestAt_; }

private:
    void tick() {
        ++ticks_;
        const qint64 gap = since_.restart();
        gui::WinProcess* progress = interaction_.progressWindow();
        const QString line = progress ? progress->ODCINFO1()->text() : QStringLiteral("no progress window");
        if (gap > longestMs_) {
            longestMs_ = gap;
            longestAt_ = "from \"" + lastLine_ + "\" to \"" + line + "\"";
        }
        lastLine_ = line;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && !qobject_cast<gui::WINIMPORT*>(modal)) modal->close();
    }

    const ScriptedQtInteraction& interaction_;
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longestMs_ = 0;
    long ticks_ = 0;
    QString lastLine_, longestAt_;
};

struct Shop {
    fs::path master;     // the sample retail database, never imported into
    fs::path templates;
    fs::path database;   // the copy each run imports into
    importing::ImportOptions options;
};

void freshDatabase(const Shop& shop) {
    fs::remove_all(shop.database);
    fs::copy(shop.master, shop.database, fs::copy_options::recursive);
}

Timing cliImport(const Shop& shop) {
    freshDatabase(shop);
    SilentYes silent;
    ui::setInteraction(&silent);
    importing::ImportRequest request;
    request.databaseFolder = shop.database.string();
    request.importFolder = shop.templates.string();
    request.options = shop.options;
    request.rejectFile = importing::rejectFile(request.databaseFolder);
    const Stopwatch stopwatch;
    const importing::ImportOutcome outcome = templates::runTemplateImport(nullptr, request);
    const Timing timing = stopwatch.read();
    ui::setInteraction(nullptr);
    if (outcome.status != importing::ImportStatus::Done) {
        std::fprintf(stderr, "command-line import did not finish\n");
        std::exit(1);
    }
    return timing;
}

struct WindowRun {
    Timing timing;
    qint64 longestGapMs = 0;
    long ticks = 0;
    QString longestAt;
};

WindowRun windowImport(const Shop& shop) {
    freshDatabase(shop);
    ScriptedQtInteraction interaction;
    ui::setInteraction(&interaction);
    gui::WINIMPORT window;
    window.show();
    window.LOKASI->setText(QString::fromStdString(shop.database.string()));
    window.IMPORT->setText(QString::fromStdString(shop.templates.string()));
    window.RBSISABUKA->click();
    window.AKHIRBUKA->setText(QString::fromStdString(xbase::DToC(shop.options.openDate)));
    QApplication::processEvents();
    const importing::ImportOptions shown = window.importOptions();
    if (shown.stockMode != shop.options.stockMode || shown.openDate != shop.options.openDate) {
        std::fprintf(stderr, "the window's options differ from the command line's\n");
        std::exit(1);
    }

    EventLoopProbe probe(interaction);
    probe.start();
    const Stopwatch stopwatch;
    window.BUTTONIMPORT();
    const Timing timing = stopwatch.read();
    probe.stop();
    ui::setInteraction(nullptr);
    return {timing, probe.longestMs(), probe.ticks(), probe.longestAt()};
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    xbase::applyStartupSettings();

    sampledata::SampleTemplateOptions sample;
    sample.items = envCount("TARVO_BENCH_ITEMS", 200000);
    sample.customers = std::max<uint32_t>(sample.items / 10, 200);
    sample.vendors = std::max<uint32_t>(sample.items / 100, 50);
    const int runs = static_cast<int>(std::max<uint32_t>(envCount("TARVO_BENCH_RUNS", 2), 1));

    const fs::path work = fs::temp_directory_path() / ("tarvo-gui-bench-" + std::to_string(::getpid()));
    Shop shop{work / "master", work / "templates", work / "shop", importing::defaultImportOptions()};
    shop.options.stockMode = importing::StockMode::Open;
    shop.options.openDate = sample.asOf;
    auto start = std::chrono::steady_clock::now();
    sampledata::makeSampleRetailDatabase(shop.master);
    sampledata::makeSampleTemplates(shop.templates, sample);
    std::printf("%u items, %u customers, %u vendors; sample written in %.1f s\n", sample.items, sample.customers,
                sample.vendors, secondsSince(start));

    Timing bestCli = bench::kNoRunYet, bestWindow = bench::kNoRunYet;
    qint64 longestGapMs = 0;
    for (int run = 1; run <= runs; ++run) {
        // Each way goes first every other run, so that neither always finds the caches warm.
        Timing cli;
        WindowRun window;
        if (run % 2 == 1) {
            cli = cliImport(shop);
            window = windowImport(shop);
        } else {
            window = windowImport(shop);
            cli = cliImport(shop);
        }
        std::printf("run %d: command line %.2f s (cpu %.2f s), window %.2f s (cpu %.2f s), %ld event-loop passes, "
                    "longest gap %lld ms %s\n",
                    run, cli.wall, cli.cpu, window.timing.wall, window.timing.cpu, window.ticks,
                    static_cast<long long>(window.longestGapMs), window.longestAt.toStdString().c_str());
        std::fflush(stdout);
        bestCli = bench::fastest(bestCli, cli);
        bestWindow = bench::fastest(bestWindow, window.timing);
        longestGapMs = std::max(longestGapMs, window.longestGapMs);
    }
    std::printf("best: command line %.2f s, window %.2f s, ratio %.3f (cpu %.2f s / %.2f s, ratio %.3f); "
                "longest event-loop gap %lld ms\n",
                bestCli.wall, bestWindow.wall, bestWindow.wall / bestCli.wall, bestCli.cpu, bestWindow.cpu,
                bestWindow.cpu / bestCli.cpu, static_cast<long long>(longestGapMs));
    fs::remove_all(work);
    return 0;
}
