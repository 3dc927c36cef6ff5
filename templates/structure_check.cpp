#include "templates/structure_check.h"

#include "retaildb/record_routines.h"
#include "ui/user_interaction.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

constexpr const char* kLineBreak = "\r\n";

// ITMINF and ITMNAM are checked too, right after ITEM: their import reads KODE_ITEM, INFO_1
// and NAMA without asking whether the columns exist.
const std::vector<std::string>& checkOrder() {
    static const std::vector<std::string> order = {"GRPSTK", "GRPST2", "GRPST3", "GRPHJL", "ITEM",   "ITMINF",
                                                   "ITMNAM", "STKHJL", "VENDOR", "DAERAH", "DAERA2", "SALES",
                                                   "GRPPEL", "GRPPE2", "PELANG", "PELEXT", "PEMBEL", "PENJUA"};
    return order;
}

}  // namespace

bool BUTTONIMPORT1PRE(TemplateRun& run) {
    run.CFIELDOVER.clear();
    std::vector<std::pair<std::string, std::vector<DBSTRUCTTABLE>>> lists;
    for (const std::string& name : checkOrder()) lists.emplace_back(name, templateLayout(name));
    bool passed = true;
    for (const auto& [name, list] : lists) passed = BUTTONIMPORT1PREEX(run, name, list) && passed;
    return passed;
}

bool BUTTONIMPORT1PREEX(TemplateRun& run, const std::string& alias, const std::vector<DBSTRUCTTABLE>& list) {
    if (!retaildb::ISOPENED(alias)) return true;
    ui::interaction().progressText(1, "Cek struktur file table : " + alias + ".DBF");
    const xbase::Table& table = *xbase::workAreas().find(alias);
    const std::string file = alias + ".DBF";
    for (const DBSTRUCTTABLE& column : list) {
        const int pos = table.fieldPos(column.CFIELD);
        if (pos == 0) {
            if (column.LWAJIB) {
                ui::BOXERROR(run.owner(), file + " Tidak ada field " + column.CFIELD + " !");
                return false;
            }
            continue;
        }
        const xbase::FieldInfo& field = table.field(pos);
        if (std::string(1, field.type) != column.CTYPE) {
            ui::BOXERROR(run.owner(),
                         file + " Beda tipe field " + column.CFIELD + " !" + kLineBreak + "Seharusnya tipe: " + column.CTYPE);
            return false;
        }
        // Numeric and date columns are compared by type only.
        if (column.CTYPE != "C" || field.length <= column.WLEN) continue;
        if (column.LMAXLEN) {
            ui::BOXERROR(run.owner(), file + " Lebar field " + column.CFIELD + " over !" + kLineBreak +
                                          "Maksimum: " + std::to_string(column.WLEN) + kLineBreak +
                                          "Anda punya: " + std::to_string(field.length));
            return false;
        }
        run.CFIELDOVER += kLineBreak + file + " Lebar field " + column.CFIELD + " over, maks: " +
                          std::to_string(column.WLEN);
    }
    return true;
}

void showOverWidthWarning(const TemplateRun& run) {
    if (run.CFIELDOVER.empty()) return;
    ui::BOXWARNING(run.owner(), "Tarvo-Import",
                   "Di bawah ini adalah field-field yang over lebarnya, berkemungkinan data yang masuk akan dipotong!" +
                       std::string(kLineBreak) + run.CFIELDOVER);
}

}  // namespace tarvo::templates
