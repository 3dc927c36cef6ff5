#include "importing/source_opening.h"

#include "retaildb/retail_database.h"
#include "xbase/error.h"
#include "xbase/record_soundness.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

bool openImportedTable(ui::Owner owner, const std::string& file, const std::string& alias, const std::string& folder,
                       const std::string& driver) {
    if (!retaildb::VOOPEN(file, alias, folder, false, false, driver)) return false;
    const xbase::Table& table = *xbase::workAreas().find(alias);
    try {
        xbase::checkRecordsAreRecords(table);
        return true;
    } catch (const xbase::Error& e) {
        const std::string path = table.path().string();
        xbase::workAreas().close(alias);
        ui::BOXERROR(owner, "[VOOpen] Cannot open file : " + path + " ! " + e.what());
        return false;
    }
}

}  // namespace tarvo::importing
