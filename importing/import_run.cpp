#include "importing/import_run.h"

#include <ctime>
#include <stdexcept>

#include "retaildb/record_routines.h"
#include "retaildb/run_points.h"
#include "ui/stop_request.h"
#include "xbase/dates.h"
#include "xbase/error.h"
#include "xbase/numeric_fit.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

// "MSBRG.DBF record 2": the source file and its current record.
std::string recordName(const xbase::Table& table) {
    return table.path().filename().string() + " record " + std::to_string(table.recNo());
}

}  // namespace

ImportRun::ImportRun(ImportOptions options, ui::Owner owner) : options_(std::move(options)), owner_(owner) {}

void ImportRun::takeStamps() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    stampDate_ = xbase::Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    char time[9];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    stampTime_ = time;
}

void ImportRun::showProgress(const std::string& progressText, uint32_t n, uint32_t total) {
    ui::UserInteraction& ui = ui::interaction();
    ui.letEventsThrough();
    if (ui::stopRequested()) throw ImportStopped();
    ui.progressText(1, progressText + std::to_string(n) + " / " + std::to_string(total));
    ui.progressBar(total == 0 ? 0 : static_cast<long>(100.0 * n / total), 100);
}

void ImportRun::forEachRecord(const std::string& alias, const std::string& progressText,
                              const std::function<bool(const SourceRow&)>& rule) {
    xbase::Table* table = xbase::workAreas().find(alias);
    if (!table) return;
    const uint32_t total = table->recCount();
    uint32_t n = 0;
    SourceRow row(*table);
    for (table->goTop(); !table->eof(); table->skip()) {
        showProgress(progressText, ++n, total);
        if (n == total / 2 + 1) retaildb::runPoint(alias + "-rows");
        try {
            if (!rule(row)) ++skipped[alias];
        } catch (const xbase::ValueDoesNotFit& e) {
            const std::string target = failedTable(e);
            throw xbase::Error(unfitValueText(recordName(*table), columnsFeeding(alias, row, target, e), e.problem(),
                                              target));
        } catch (const xbase::Error& e) {
            // Any other failure of a write: named with the source file and record that gave it.
            throw xbase::Error(recordName(*table) + ": " + e.what());
        }
    }
}

void ImportRun::addFeeds(SourceFeeds feeds) { feeds_.push_back(std::move(feeds)); }

std::string ImportRun::columnsFeeding(const std::string& alias, const SourceRow& row, const std::string& table,
                                      const xbase::ValueDoesNotFit& failure) const {
    // Of the feeds of the field, the one that gives the value; a field fed once is named without asking.
    std::string columns;
    for (const SourceFeeds& source : feeds_) {
        if (source.alias != alias) continue;
        for (const FieldFeed& feed : source.feeds) {
            if (feed.table != table || feed.field != failure.field()) continue;
            if (columns.empty()) columns = feed.value.columns;
            if (feed.value.of(row) == failure.value()) return feed.value.columns;
        }
    }
    return columns;
}

void ImportRun::forEachEntry(uint32_t count, const std::string& progressText,
                             const std::function<void(uint32_t)>& write) {
    for (uint32_t n = 1; n <= count; ++n) {
        showProgress(progressText, n, count);
        write(n);
    }
}

void ImportRun::appendTo(const std::string& targetAlias) {
    xbase::workAreas().select(targetAlias);
    retaildb::VOAPPEND();
    ++written[targetAlias];
}

void ImportRun::closeCounted(const std::string& targetAlias, uint32_t identifierRow) {
    const xbase::Table* table = xbase::workAreas().find(targetAlias);
    if (!table) return;
    retaildb::TABLEIDUPDATE(identifierRow, table->recCount());
    xbase::workAreas().close(targetAlias);
}

}  // namespace tarvo::importing
