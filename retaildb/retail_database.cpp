#include "retaildb/retail_database.h"

#include <unistd.h>

#include <filesystem>
#include <thread>

#include "retaildb/catalogue.h"
#include "retaildb/file_routines.h"
#include "retaildb/run_points.h"
#include "xbase/blanks.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace tarvo::retaildb {

using xbase::allIgnoringCase;
using xbase::equalsIgnoreCase;
using xbase::findIgnoringCase;

namespace {

constexpr std::chrono::milliseconds kOpenRetryPause{100};
std::chrono::milliseconds openRetryLimit{3000};

std::string withSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// The name part of a file name without its extension.
std::string stem(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// Deletes the file and every file whose name differs from it only in case.
bool eraseIgnoringCase(ui::Owner owner, const std::string& folder, const std::string& name) {
    bool deleted = true;
    std::vector<std::filesystem::path> matches = allIgnoringCase(folder, name);
    if (matches.empty()) matches.push_back(std::filesystem::path(folder) / name);
    for (const auto& match : matches) deleted = VOFErase(owner, match.string()) && deleted;
    return deleted;
}

}  // namespace

void setOpenRetryLimit(std::chrono::milliseconds limit) { openRetryLimit = limit; }

bool DIREXIST(const std::string& folder) {
    std::string path = std::string(xbase::trimmed(folder));
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    const std::filesystem::path dir = path.empty() ? std::filesystem::path(".") : std::filesystem::path(path);
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) && ::access(dir.c_str(), X_OK) == 0;
}

std::string databaseFolderOf(const std::string& folderText) {
    std::string folder = withSeparator(std::string(xbase::trimmed(folderText)));
    // The user may name the retail application's folder or its ST_DB folder; either way the
    // ST_DB entry on disk is taken, whatever its case.
    std::filesystem::path named = std::filesystem::path(folder).parent_path();
    std::string base = folder;
    if (equalsIgnoreCase(named.filename().string(), "ST_DB"))
        base = named.has_parent_path() ? withSeparator(named.parent_path().string()) : std::string();
    return base + findIgnoringCase(base.empty() ? "." : base, "ST_DB").filename().string() + "/";
}

std::string LOKASIDATAEX(ui::Owner owner, const std::string& folderText) {
    const std::string text = std::string(xbase::trimmed(folderText));
    if (!text.empty() && text.front() == '\\') {
        ui::BOXERROR(owner, "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!");
        return {};
    }
    const std::string folder = databaseFolderOf(text);
    if (!DIREXIST(folder)) {
        ui::BOXERROR(owner, "Sistem tidak menemukan Lokasi Data ! ( " + folder + " )");
        return {};
    }
    return folder;
}

bool controlRecordMissing(const std::string& folder) {
    const std::filesystem::path file = findIgnoringCase(folder.empty() ? "." : folder, "S_KONTRO.Q7T");
    if (!VOFILE(file.string())) return false;
    auto control = xbase::Table::open(file, xbase::OpenOptions{false, true, xbase::Driver::DBFCDX});
    bool found = false;
    control->scanRecords([&](uint32_t, std::string_view image) { found = found || image.front() != '*'; });
    return !found;
}

bool VOOPEN(const std::string& file, const std::string& alias, const std::string& folder, bool shared, bool readOnly,
            const std::string& driver) {
    std::string folderPart = folder;
    std::string name = file;
    if (size_t slash = file.rfind('/'); slash != std::string::npos) {
        folderPart = file.substr(0, slash + 1);
        name = file.substr(slash + 1);
    }
    if (xbase::settings().exclusive) shared = false;
    folderPart = withSeparator(folderPart);
    const std::string lookIn = folderPart.empty() ? "." : folderPart;
    const std::string tablePath = folderPart + name;
    const std::filesystem::path onDisk = findIgnoringCase(lookIn, name);
    if (!VOFILE(onDisk.string())) {
        ui::BOXERROR(nullptr, "Missing file : " + tablePath + " !");
        return false;
    }
    const std::filesystem::path index = findIgnoringCase(lookIn, stem(onDisk.filename().string()) + ".CDX");
    if (VOFILE(index.string()) && VOFILESIZE(index.string()) == 0) VOFERASEEX(nullptr, index.string());

    auto chosen = xbase::driverFromName(driver.empty() ? xbase::settings().defaultDriver : driver);
    if (!chosen) {
        ui::BOXERROR(nullptr, "[VOOpen] Unknown driver : " + driver + " !");
        return false;
    }
    const xbase::OpenOptions options{!shared, readOnly, *chosen};
    // A table another program holds is tried again for a few seconds before giving up.
    const auto deadline = std::chrono::steady_clock::now() + openRetryLimit;
    while (!xbase::workAreas().use(onDisk, alias, options)) {
        if (!xbase::workAreas().lastErrorInUse()) {
            ui::BOXERROR(nullptr, "[VOOpen] Cannot open file : " + tablePath + " ! " + xbase::workAreas().lastError());
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ui::BOXERROR(nullptr, "[VOOpen] File is in use by another program : " + tablePath + " !");
            return false;
        }
        std::this_thread::sleep_for(kOpenRetryPause);
    }
    return true;
}

std::string LOKASIDATA(ui::Owner owner, const std::string& folderText) {
    const std::string folder = LOKASIDATAEX(owner, folderText);
    if (folder.empty()) return {};
    // A failed preparation earlier in this run may have left catalogue tables open.
    for (const CatalogueTable& table : catalogue()) xbase::workAreas().close(table.alias);
    // A missing table refuses the folder before any index file is deleted.
    for (const CatalogueTable& table : catalogue()) {
        const std::string name = std::string(table.alias) + ".Q7T";
        if (!VOFILE(findIgnoringCase(folder, name).string())) {
            ui::BOXERROR(owner, "Missing file : " + folder + name + " !");
            return {};
        }
    }

    for (const CatalogueTable& table : catalogue())
        if (table.indexDeleted && !eraseIgnoringCase(owner, folder, std::string(table.alias) + ".CDX")) return {};
    for (const CatalogueTable& table : catalogue())
        if (!VOOPEN(std::string(table.alias) + ".Q7T", table.alias, folder, false, false, "DBFCDX")) return {};
    for (const std::string& alias : emptiedTables()) xbase::workAreas().find(alias)->zap();
    runPoint("preparation");

    xbase::workAreas().select("S_STOCK");
    const std::string stockIndex = folder + "S_STOCK.CDX";
    for (const WorkingTag& tag : stockWorkingTags())
        if (!VOCREATEORDER(owner, tag.keyExpression, tag.name, stockIndex)) return {};
    return folder;
}

std::vector<IncompleteTable> closeRetailDatabase(ui::Owner owner, const std::string& folder, bool withStockClosing) {
    std::vector<IncompleteTable> incomplete;
    std::vector<std::string> failedIndexes;
    xbase::WorkAreas& areas = xbase::workAreas();
    for (const std::string& alias : areas.aliases()) {
        xbase::Table* table = areas.find(alias);
        try {
            table->commit();
        } catch (const xbase::Error&) {
            // The header already counts only what is on disk; the index may not agree with it.
            failedIndexes.push_back(alias + ".CDX");
        }
        if (table->writeFailed()) incomplete.push_back({alias, table->recCount()});
    }
    areas.closeAll();
    runPoint("closing");
    for (const std::string& name : indexesDeletedAfterImport()) eraseIgnoringCase(owner, folder, name);
    if (withStockClosing)
        for (const std::string& name : indexesDeletedAfterStockClosing()) eraseIgnoringCase(owner, folder, name);
    for (const std::string& name : failedIndexes) eraseIgnoringCase(owner, folder, name);
    return incomplete;
}

}  // namespace tarvo::retaildb
