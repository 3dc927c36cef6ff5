#include "sheets/sheets_to_tables.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "sheets/sheet_set.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/table.h"
#include "xbase/text_case.h"

namespace tarvo::sheets {

namespace fs = std::filesystem;

namespace {

constexpr long kProgressEvery = 2000;

std::string upperTrimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : xbase::asciiUpperCase(text.substr(first, last - first + 1));
}

constexpr const char* kStagingPrefix = ".tarvo-sheets-";

// Flushes a file's data, or a folder's entries, to disk.
void flushToDisk(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!flushed) throw SheetError(path.string() + ": cannot flush to disk");
}

// Work folders of earlier runs that ended before cleaning up: their process is gone.
void removeLeftStagings(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kStagingPrefix, 0) != 0) continue;
        const long pid = std::atol(name.c_str() + std::char_traits<char>::length(kStagingPrefix));
        const bool alive = pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (!alive) fs::remove_all(entry.path(), error);
    }
}

// A folder of new tables beside their final place, moved there only when every sheet passed.
class Staging {
public:
    explicit Staging(const fs::path& folder) : folder_(folder) {
        std::error_code error;
        createdFolder_ = !fs::exists(folder, error);
        fs::create_directories(folder, error);
        if (error) throw SheetError(folder.string() + ": cannot create the folder (" + error.message() + ")");
        removeLeftStagings(folder);
        path_ = folder / (kStagingPrefix + std::to_string(::getpid()));
        fs::remove_all(path_, error);
        fs::create_directory(path_, error);
        if (error) throw SheetError(folder.string() + ": cannot write in the folder (" + error.message() + ")");
    }
    ~Staging() { discard(); }

    const fs::path& path() const { return path_; }

    // Replaces the folder's tables with the staged ones, each with one rename over the old file,
    // after every new file has reached the disk: a table is always either the old or the new one.
    // Old files under another case of the name, and the old table's memo and index files, go
    // afterwards.
    void commit(const std::vector<std::string>& names) {
        for (const std::string& name : names) flushToDisk(path_ / name);
        for (const std::string& name : names) {
            fs::rename(path_ / name, folder_ / name);
            for (const fs::path& other : xbase::allIgnoringCase(folder_, name))
                if (other.filename() != name) fs::remove(other);
            const std::string base = name.substr(0, name.size() - 4);
            for (const std::string& extra : {base + ".FPT", base + ".CDX"})
                for (const fs::path& existing : xbase::allIgnoringCase(folder_, extra)) fs::remove(existing);
        }
        flushToDisk(folder_);
        createdFolder_ = false;
    }

    void discard() {
        std::error_code error;
        if (!path_.empty()) fs::remove_all(path_, error);
        path_.clear();
        if (createdFolder_ && fs::is_empty(folder_, error)) fs::remove(folder_, error);
        createdFolder_ = false;
    }

private:
    fs::path folder_;
    fs::path path_;
    bool createdFolder_ = false;
};

// The plan of a sheet: the request's own, or the table its name stands for, read by field names.
SheetPlan planFor(const SheetsToTablesRequest& request, const std::string& name) {
    if (request.planOf) return request.planOf(name);
    SheetPlan plan;
    plan.table = upperTrimmed(name);
    plan.layout = request.layoutOf ? request.layoutOf(plan.table) : nullptr;
    if (!plan.layout) plan.passedOver = "no template of that name";
    return plan;
}

}  // namespace

SheetsToTablesOutcome sheetsToTables(const SheetsToTablesRequest& request) {
    SheetsToTablesOutcome outcome;
    ProblemList& problems = outcome.problems;
    try {
        const SheetSet sheets(request.source);
        // Which sheet goes to which table, before any is read.
        std::vector<std::pair<size_t, SheetPlan>> chosen;
        std::vector<std::string> taken;
        for (size_t i = 0; i < sheets.names().size(); ++i) {
            const std::string& name = sheets.names()[i];
            SheetPlan plan = planFor(request, name);
            if (!plan.layout) {
                outcome.notes.push_back(sheets.describe(name) + " passed over: " + plan.passedOver);
                continue;
            }
            if (std::find(taken.begin(), taken.end(), plan.table) != taken.end()) {
                problems.error(name, 0, "", -1, "", "a second sheet for " + plan.table + ".DBF");
                continue;
            }
            taken.push_back(plan.table);
            outcome.notes.insert(outcome.notes.end(), plan.notes.begin(), plan.notes.end());
            chosen.push_back({i, std::move(plan)});
        }
        if (chosen.empty() && problems.errorCount() == 0) {
            problems.error(request.source.filename().string(), 0, "", -1, "",
                           request.planOf ? "no sheet to read into a template"
                           : sheets.csv() ? "no CSV file named like a template (for example ITEM.csv)"
                                          : "no sheet named like a template (for example ITEM)");
        }
        if (problems.errorCount() > 0) return outcome;

        Staging staging(request.folder);
        for (const auto& [index, plan] : chosen) {
            const SheetLayout* layout = plan.layout;
            const std::unique_ptr<RowSource> source = sheets.open(index, request.options.csvCodePage);
            const std::string table = plan.table + ".DBF";
            const SheetHeader header = plan.headerRow > 0
                                           ? readMappedHeader(*source, *layout, plan.headerRow, plan.columns, problems)
                                           : readHeader(*source, *layout, problems);
            const std::vector<xbase::FieldInfo> fields = header.fields(*layout);
            WrittenTable& written = outcome.tables.emplace_back();
            written.name = table;
            for (const auto& f : fields) written.columns.push_back(f.name);
            if (header.row == 0) continue;
            std::unique_ptr<xbase::Table> dbf;
            if (!fields.empty()) {
                xbase::Table::create(staging.path() / table, fields, xbase::Driver::DBFCDX);
                dbf = xbase::Table::open(staging.path() / table, {.exclusive = true});
            } else {
                problems.error(source->name(), header.row, "", -1, "", "no column named like a column of " + table);
            }
            long count = 0;
            written.rows = readRows(*source, *layout, header, request.options, problems,
                                    [&](const std::vector<xbase::Value>& values) {
                                        if (!dbf) return;
                                        dbf->append();
                                        for (size_t i = 0; i < values.size(); ++i)
                                            if (!values[i].isNil()) dbf->fieldPut(static_cast<int>(i) + 1, values[i]);
                                        if (request.progress && ++count % kProgressEvery == 0)
                                            request.progress(source->name(), count);
                                    });
            dbf.reset();
            if (written.rows == 0 && header.row > 0) {
                // A sheet left as it came (only its header) replaces no table.
                outcome.notes.push_back(sheets.describe(source->name()) + " passed over: no rows below the header");
                fs::remove(staging.path() / table);
                outcome.tables.pop_back();
            }
        }
        if (problems.errorCount() > 0) return outcome;
        if (outcome.tables.empty()) {
            problems.error(request.source.filename().string(), 0, "", -1, "", "no sheet named like a template has rows to write");
            return outcome;
        }
        if (request.checkOnly) {
            outcome.status = SheetsToTablesOutcome::Status::Checked;
            return outcome;
        }

        std::vector<std::string> names, replaced;
        for (const WrittenTable& t : outcome.tables) {
            names.push_back(t.name);
            if (fs::exists(xbase::findIgnoringCase(request.folder, t.name))) replaced.push_back(t.name);
        }
        if (!replaced.empty() && request.confirmReplace && !request.confirmReplace(replaced)) {
            outcome.status = SheetsToTablesOutcome::Status::Declined;
            return outcome;
        }
        staging.commit(names);
        outcome.status = SheetsToTablesOutcome::Status::Written;
    } catch (const SheetError& e) {
        problems.error("", 0, "", -1, "", e.what());
    } catch (const xbase::Error& e) {
        problems.error("", 0, "", -1, "", e.what());
    } catch (const fs::filesystem_error& e) {
        problems.error("", 0, "", -1, "", e.what());
    }
    return outcome;
}

}  // namespace tarvo::sheets
