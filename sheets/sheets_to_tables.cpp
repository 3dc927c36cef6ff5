#include "sheets/sheets_to_tables.h"

#include <algorithm>
#include <memory>

#include "sheets/sheet_set.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/file_replacement.h"
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

        xbase::FileReplacement replacement(request.folder);
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
                xbase::Table::create(replacement.workFolder() / table, fields, xbase::Driver::DBFCDX);
                dbf = xbase::Table::open(replacement.workFolder() / table, {.exclusive = true});
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
            // A write that failed (a full disk) is told here, not lost in the table's closing.
            if (dbf) dbf->commit();
            dbf.reset();
            if (written.rows == 0 && header.row > 0) {
                // A sheet left as it came (only its header) replaces no table.
                outcome.notes.push_back(sheets.describe(source->name()) + " passed over: no rows below the header");
                fs::remove(replacement.workFolder() / table);
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
        replacement.commit(names, request.beforeReplace);
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
