#include "importers/ipos/ipos_import.h"

#include <filesystem>

#include "importers/ipos/ipos_steps.h"
#include "importers/ipos/value_readers.h"
#include "ui/user_interaction.h"
#include "xbase/numeric_fit.h"

namespace tarvo::importers::ipos {

std::unique_ptr<importing::ImportSource> BUTTONIMPORT24(const IposChoices& choices) {
    return std::make_unique<IposImport>(choices);
}

IposImport::IposImport(IposChoices choices) : choices_(std::move(choices)) {}
IposImport::~IposImport() = default;

bool IposImport::check(ui::Owner owner, const std::string&, const importing::ImportOptions& options) {
    ui::UserInteraction& ui = ui::interaction();
    std::string connection = choices_.connectionString;
    if (connection.empty()) {
        const std::string file = choices_.file.empty() ? ui.chooseFile(owner, "File MDB (iPOS 3.0)", "*.MDB") : choices_.file;
        if (file.empty()) return false;  // the dialog was cancelled
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) {
            ui::BOXERROR(owner, "File " + file + " tidak ditemukan!");
            return false;
        }
        if (!isAccessFile(file)) {
            ui::BOXERROR(owner, "File " + file + " bukan database Microsoft Access (.MDB)!");
            return false;
        }
        const std::optional<std::string> password =
            choices_.password ? choices_.password : ui.askPassword(owner, "Connection String MDB File (Access File)");
        if (!password) return false;  // the password dialog was closed without "Ok"
        connection = accessConnectionString(std::filesystem::absolute(file).string(), *password);
    }

    ui.openProgress(owner);
    ui.progressText(1, kIposProgressTitle);
    try {
        source_ = std::make_unique<SourceDatabase>(SourceDatabase::read(connection, [&] { ui.letEventsThrough(); }));
    } catch (const SourceRefused& refused) {
        ui::BOXERROR(owner, refused.what());
        return false;
    }
    run_ = std::make_unique<importing::ImportRun>(options, owner);
    return true;
}

importing::ValueCheck IposImport::checkValues(ui::Owner owner, const std::string& databaseFolder) const {
    importing::ValueTrials trials(databaseFolder);
    tryMasterDataValues(*source_, choices_, trials);
    tryTransactionValues(*source_, trials);
    return trials.report(owner);
}

bool IposImport::import(const std::string&) {
    run_->takeStamps();
    IposRun ipos{*run_, *source_, choices_, {}, {}, {}, {}, {}};
    importItemGroups(ipos);
    importItems(ipos);
    writeUnits(ipos);
    importSalesmen(ipos);
    importSalesInvoices(ipos);
    importCashSales(ipos);
    importGoodsReceived(ipos);
    importGoodsIssued(ipos);
    source_.reset();  // the rows read are no longer needed
    return true;
}

namespace {

std::string rowName(const char* table, size_t row) {
    return "table " + std::string(table) + " row " + std::to_string(row);
}

}  // namespace

void forEachRow(IposRun& ipos, const odbc::Result& result, const char* table, const std::string& progressText,
                const std::function<bool(const odbc::Row&)>& rule, const std::vector<importing::FieldColumns>& columns) {
    ipos.run.forEachEntry(static_cast<uint32_t>(result.rowCount()), progressText, [&](uint32_t n) {
        try {
            if (!rule(result.row(n - 1))) ++ipos.run.skipped[table];
        } catch (const xbase::ValueDoesNotFit& e) {
            throw xbase::Error(importing::unfitValueText(rowName(table, n), columns, e));
        }
    });
}

RowValue columnAsIs(const odbc::Result& result, const importing::FieldColumns& target) {
    const size_t position = result.column(target.columns);
    return {target, [position](const odbc::Row& row) { return READFLOAT(row, position); }};
}

void tryRows(const odbc::Result& result, const char* table, const std::function<bool(const odbc::Row&)>& takes,
             const std::vector<RowValue>& values, importing::ValueTrials& trials) {
    for (size_t n = 0; n < result.rowCount(); ++n) {
        const odbc::Row& row = result.row(n);
        if (!takes(row)) continue;
        const std::string source = rowName(table, n + 1);
        for (const RowValue& value : values)
            trials.tryValue(source, value.target.columns, value.of(row), value.target.table, value.target.field);
    }
}

void writeLine(const char* table, const odbc::Row& line, const std::vector<importing::FieldColumns>& columns,
               const std::function<void()>& write) {
    try {
        write();
    } catch (const xbase::ValueDoesNotFit& e) {
        throw xbase::Error(importing::unfitValueText(rowName(table, line.index() + 1), columns, e));
    }
}

}  // namespace tarvo::importers::ipos
