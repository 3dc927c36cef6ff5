// The template editor on a big ITEM.DBF (TARVO_BENCH_ITEMS records, default 200,000, every column
// of the catalogue): the time to open the editor window on it, the time to scroll its grid to
// the last record and how much the process's memory grew meanwhile (the grid reads only the rows
// it shows), and the paste of TARVO_BENCH_LINES lines (default 100,000) into one column through
// the window with its progress window, against a plain loop of the same field writes.
//
//   TARVO_BENCH_ITEMS=200000 TARVO_BENCH_LINES=100000 QT_QPA_PLATFORM=offscreen build/bench/template_editor_bench

#include <QApplication>
#include <QScrollBar>
#include <QTableView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <string>

#include "app/gui/qt_interaction.h"
#include "bench/bench_support.h"
#include "app/gui/win_import_edit.h"
#include "templatetools/template_creation.h"
#include "templatetools/template_editor.h"
#include "xbase/settings.h"

namespace fs = std::filesystem;
using namespace tarvo;

using bench::envCount;
using bench::secondsSince;

namespace {

// Resident memory of the process now, in MB.
double residentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return 0;
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void makeItems(const fs::path& folder, uint32_t items) {
    const auto& page = *templatetools::findCataloguePage("ITEM.DBF");
    templatetools::createTemplate(nullptr, folder.string() + "/", page, std::vector<bool>(page.rows.size(), true));
    auto table = xbase::Table::open(folder / "ITEM.DBF", {});
    const int kode = table->fieldPos("KODE"), nama = table->fieldPos("NAMA"), harga = table->fieldPos("H_JUAL1");
    for (uint32_t i = 1; i <= items; ++i) {
        table->append();
        table->fieldPut(kode, xbase::Value("BRG" + std::to_string(i)));
        table->fieldPut(nama, xbase::Value("BARANG NOMOR " + std::to_string(i)));
        table->fieldPut(harga, xbase::Value(static_cast<double>(i % 1000) * 25.0));
    }
}

std::string pasteText(uint32_t lines) {
    std::string text;
    for (uint32_t i = 1; i <= lines; ++i) text += std::to_string(i % 7919) + ".5\r\n";
    return text;
}

// The same field writes as the paste, without the window, the progress or the record locks.
double plainLoop(const fs::path& path, const std::string& text) {
    const auto start = std::chrono::steady_clock::now();
    auto table = xbase::Table::open(path, {});
    const int field = table->fieldPos("H_BELI");
    uint32_t recno = 0;
    for (const std::string& line : templatetools::textLines(text)) {
        table->goTo(++recno);
        table->fieldPut(field, templatetools::pastedValue('N', line));
    }
    table->commit();
    table.reset();
    return secondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    xbase::applyStartupSettings();
    const uint32_t items = envCount("TARVO_BENCH_ITEMS", 200000);
    const uint32_t lines = std::min(envCount("TARVO_BENCH_LINES", 100000), items);
    const fs::path folder = fs::temp_directory_path() / ("tarvo-editor-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    makeItems(folder, items);
    const std::string text = pasteText(lines);
    gui::QtInteraction interaction;
    ui::setInteraction(&interaction);

    double open = 0, scroll = 0, paste = 0, before = 0, after = 0;
    {
        before = residentMb();
        auto start = std::chrono::steady_clock::now();
        gui::WinImportEdit editor(nullptr, folder.string() + "/");
        editor.show();
        settle();
        open = secondsSince(start);
        gui::_WinImportEdit* page = editor.editPage("ITEM.DBF");
        start = std::chrono::steady_clock::now();
        page->BBROWSER1->scrollToBottom();
        settle();
        scroll = secondsSince(start);
        after = residentMb();
        const int shown = page->BBROWSER1->rowAt(page->BBROWSER1->viewport()->height() - 2);
        if (shown + 1 != static_cast<int>(items)) std::fprintf(stderr, "last row shown: %d\n", shown + 1);

        page->BBROWSER1->setCurrentIndex(page->model()->index(0, 0));
        start = std::chrono::steady_clock::now();
        page->pasteText("H_BELI", text);
        paste = secondsSince(start);
    }
    const double loop = plainLoop(folder / "ITEM.DBF", text);
    double engine = 0;
    {
        templatetools::EditedTemplate file((folder / "ITEM.DBF").string());
        const auto start = std::chrono::steady_clock::now();
        file.pasteColumn(nullptr, "H_BELI", text, 1);
        engine = secondsSince(start);
    }
    ui::setInteraction(nullptr);
    fs::remove_all(folder);

    std::printf("items %u: open %.3f s, scroll to the end %.3f s, memory %.1f MB -> %.1f MB\n", items, open, scroll,
                before, after);
    std::printf("paste %u lines: window %.3f s, without the window %.3f s, plain loop %.3f s, ratio %.2f\n", lines,
                paste, engine, loop, paste / loop);
    return 0;
}
