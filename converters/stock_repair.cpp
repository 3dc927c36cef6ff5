#include "converters/stock_repair.h"

#include <algorithm>

#include "retaildb/record_routines.h"
#include "retaildb/retail_database.h"
#include "safety/import_safety.h"
#include "ui/scoped_progress.h"
#include "xbase/error.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"
#include "xbase/work_areas.h"

namespace tarvo::converters {

namespace {

constexpr const char* kAlias = "STOCK";
constexpr const char* kRepairQuestion =
    "Perbaiki Data: semua item berjenis 0 di S_STOCK dijadikan jenis 1.\n"
    "Data toko dicadangkan dulu dan bisa dikembalikan dengan Pulihkan Data. Lanjutkan?";

// The number the bar counts up to: the keys of the tag ID. Without keys there (no index file, or
// a tag that holds no keys while the table has records) the record count takes its place.
uint64_t progressTotal(const xbase::Table& stock) {
    const xbase::IndexOrder* id = stock.order("ID");
    const uint64_t keys = id ? id->tag().keyCount() : 0;
    return keys > 0 ? keys : stock.recCount();
}

bool repairRecords(ui::Owner owner, xbase::Table& stock, StockRepair& repair) {
    ui::UserInteraction& ui = ui::interaction();
    const uint64_t total = progressTotal(stock);
    const int kind = stock.fieldPos("JENIS");
    if (kind == 0) {
        ui::BOXERROR(owner, "[Alias : STOCK] -> FieldName \"JENIS\" not found <BUTTONPERBAIKIDATA1> !");
        return false;
    }
    ui::ScopedProgress progress(owner);
    for (stock.goTop(); !stock.eof(); stock.skip()) {
        ui.letEventsThrough();
        const uint64_t n = ++repair.records;
        ui.progressText(1, "S_STOCK.DBF " + std::to_string(n) + "/" + std::to_string(total));
        ui.progressBar(static_cast<long>(std::min<uint64_t>(100, n * 100 / total)), 100);
        if (stock.fieldGet(kind).number() == 0) {
            stock.fieldPut(kind, 1);
            ++repair.changed;
        }
    }
    stock.commit();
    return true;
}

}  // namespace

StockRepair BUTTONPERBAIKIDATA(ui::Owner owner, const std::string& databaseFolder) {
    StockRepair repair;
    const std::string folder = retaildb::LOKASIDATAEX(owner, databaseFolder);
    if (folder.empty()) return repair;
    if (!ui::BOXASK(owner, "Tarvo-Soft", kRepairQuestion, 2)) return repair;
    // Guarded like an import: one run at a time, no repair over an interrupted import, and a
    // backup of its own that a failure puts back.
    safety::ImportSafety safety({.description = "repair-stock", .kind = "repair"});
    if (!safety.lock(owner, folder) || safety.beforePreparation(owner).empty()) return repair;
    repair.done = BUTTONPERBAIKIDATA1(owner, folder, repair);
    std::string failure;
    try {
        xbase::workAreas().commitAll();
    } catch (const xbase::Error& e) {
        failure = std::string("[BUTTONPERBAIKIDATA] ") + e.what();
    }
    xbase::workAreas().closeAll();
    if (repair.done && failure.empty()) failure = safety.finished(owner);
    if (repair.done && failure.empty()) {
        ui::BOXINFO(owner, "Berhasil",
                    "Data berhasil diperbaiki.\n" + std::to_string(repair.changed) + " item diubah dari jenis 0 ke jenis 1.");
        return repair;
    }
    repair.done = false;
    const std::string problem = safety.undo();
    if (!failure.empty()) ui::BOXERROR(owner, failure);
    if (!problem.empty())
        ui::BOXERROR(owner, "S_STOCK TIDAK bisa dikembalikan seperti sebelum perbaikan: " + problem);
    return repair;
}

bool BUTTONPERBAIKIDATA1(ui::Owner owner, const std::string& folder, StockRepair& repair) {
    if (!retaildb::VOOPEN("S_STOCK.Q7T", kAlias, folder, false, false, "DBFCDX")) return false;
    xbase::Table& stock = *xbase::workAreas().find(kAlias);
    // Physical record order, whatever the index file holds.
    stock.setOrder(0);
    try {
        if (!repairRecords(owner, stock, repair)) return false;
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("[BUTTONPERBAIKIDATA1] ") + e.what());
        return false;
    }
    return true;
}

}  // namespace tarvo::converters
