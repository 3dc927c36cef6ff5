#pragma once
// The state of one import run, whatever its source: options, run stamps, duplicate lists, counts
// for the summary, the append with the validity marker, and the record loop every source table is
// read with. The template import adds its template folder and code lists (templates::TemplateRun);
// the importers of other applications add their working lists.

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "importing/code_list.h"
#include "importing/duplicate_list.h"
#include "importing/import_options.h"
#include "importing/source_row.h"
#include "importing/value_feeds.h"
#include "xbase/numeric_fit.h"
#include "ui/user_interaction.h"
#include "xbase/table.h"

namespace tarvo::importing {

// Thrown between two records when the user (or a signal) asked the import to stop.
class ImportStopped : public std::runtime_error {
public:
    ImportStopped() : std::runtime_error("import stopped") {}
};

class ImportRun {
public:
    ImportRun(ImportOptions options, ui::Owner owner);
    virtual ~ImportRun() = default;

    const ImportOptions& options() const { return options_; }
    ui::Owner owner() const { return owner_; }

    // Date and time of day ("hh:mm:ss") taken once per run.
    void takeStamps();
    const xbase::Date& stampDate() const { return stampDate_; }
    const std::string& stampTime() const { return stampTime_; }

    // Reads every record of an open table in physical order (deleted records are visited only
    // while the deleted filter is off), with the progress text followed by the counter and the
    // total, and the bar; rule returns true when it wrote a record for the row, and the rows it
    // refused are counted as skipped under the alias. Does nothing when the table is not open. A
    // failure of the table layer in the rule is thrown on with the source file's name and the
    // record number in front of its text; a value that does not fit its field also names the
    // columns it came from (addFeeds). Throws
    // ImportStopped before the next record once a stop was requested.
    void forEachRecord(const std::string& alias, const std::string& progressText,
                       const std::function<bool(const SourceRow&)>& rule);
    // The same progress for the entries 1 ... count of a list.
    void forEachEntry(uint32_t count, const std::string& progressText, const std::function<void(uint32_t)>& write);

    // Where the numbers written from a source table's rows come from: a value that does not fit
    // its field is named with its columns, and the checks try the values before the preparation.
    void addFeeds(SourceFeeds feeds);
    const std::vector<SourceFeeds>& feeds() const { return feeds_; }

    // Appends a record to a retail table (made current) with the validity marker, and counts it.
    void appendTo(const std::string& targetAlias);
    // Records the retail table's record count as its last identifier in the row of S_TABLID,
    // then commits and closes it. Does nothing when the table is not open.
    void closeCounted(const std::string& targetAlias, uint32_t identifierRow);

    DuplicateList codeDuplicates;
    DuplicateList nameDuplicates;

    // For the summary: records appended per retail table, rows skipped per template or source table.
    std::map<std::string, uint32_t> written;
    std::map<std::string, uint32_t> skipped;

private:
    void showProgress(const std::string& progressText, uint32_t n, uint32_t total);

    // The columns that gave the value of the failure, for the current row of the source table.
    std::string columnsFeeding(const std::string& alias, const SourceRow& row, const std::string& table,
                               const xbase::ValueDoesNotFit& failure) const;

    ImportOptions options_;
    ui::Owner owner_;
    std::vector<SourceFeeds> feeds_;
    xbase::Date stampDate_;
    std::string stampTime_;
};

}  // namespace tarvo::importing
