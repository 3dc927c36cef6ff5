#include "converters/report_converter.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include "converters/report_file.h"
#include "converters/report_lines.h"
#include "converters/template_replacement.h"
#include "retaildb/file_routines.h"
#include "retaildb/record_routines.h"
#include "retaildb/retail_database.h"
#include "retaildb/run_points.h"
#include "ui/scoped_progress.h"
#include "xbase/blanks.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/file_replacement.h"
#include "xbase/numeric_fit.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::converters {

namespace {

using retaildb::structureField;
using retaildb::VOFieldPut;

constexpr const char* kItemReport = "ITEM.TXT";
constexpr const char* kCustomerReport = "CUST.TXT";

retaildb::StructureArray itemStructure() {
    return {structureField("KODE", "C", 20, 0),      structureField("NAMA", "C", 100, 0),
            structureField("H_BELI", "N", 12, 2),    structureField("H_JUAL1", "N", 12, 2),
            structureField("SISA_STK1", "N", 14, 4), structureField("SISA_NIL1", "N", 14, 2)};
}

retaildb::StructureArray customerStructure() {
    return {structureField("KODE", "C", 20, 0),     structureField("NAMA", "C", 100, 0),
            structureField("NPWP", "C", 30, 0),     structureField("ALAMAT", "C", 100, 0),
            structureField("TELEPON", "C", 20, 0),  structureField("HUBUNGI", "C", 30, 0),
            structureField("TERM_CRD", "N", 3, 0),  structureField("MAX_CRD", "N", 12, 2),
            structureField("CATATAN", "C", 500, 0)};
}

// The reports print numbers with "." as decimal point and "," between thousands; the program's
// own separators come back when the conversion ends, however it ends.
class ReportSeparators {
public:
    ReportSeparators() : decimal_(xbase::settings().decimalSep), thousands_(xbase::settings().thousandSep) {
        xbase::settings().decimalSep = '.';
        xbase::settings().thousandSep = ',';
    }
    ~ReportSeparators() {
        xbase::settings().decimalSep = decimal_;
        xbase::settings().thousandSep = thousands_;
    }
    ReportSeparators(const ReportSeparators&) = delete;
    ReportSeparators& operator=(const ReportSeparators&) = delete;

private:
    char decimal_;
    char thousands_;
};

// The report of the folder, open for reading; nullptr after the error box.
std::unique_ptr<ReportFile> openReport(ui::Owner owner, const std::string& folder, const char* name) {
    const std::filesystem::path path = xbase::findIgnoringCase(folder, name);
    if (!retaildb::VOFILE(path.string())) {
        ui::BOXERROR(owner, "Missing file: " + folder + name);
        return nullptr;
    }
    auto report = std::make_unique<ReportFile>(path);
    if (!report->isOpen()) {
        ui::BOXERROR(owner, "Open error file: " + folder + name);
        return nullptr;
    }
    return report;
}

// Whether every number fits its field of the current table; an error box names the first that
// does not, with the report line it came from.
bool numbersFit(ui::Owner owner, const ReportFile& report, uint64_t lineNumber,
                std::initializer_list<std::pair<const char*, double>> numbers) {
    const xbase::Table& table = *xbase::workAreas().current();
    for (const auto& [name, number] : numbers) {
        const xbase::FieldInfo& field = table.field(table.fieldPos(name));
        if (xbase::fitsNumericField(number, field.length, field.decimals)) continue;
        ui::BOXERROR(owner, "[BUTTONCREATEDBF2] Number does not fit field " + field.name + " (N " +
                                std::to_string(field.length) + "," + std::to_string(field.decimals) +
                                ") : " + report.path().string() + " line " + std::to_string(lineNumber) +
                                " !");
        return false;
    }
    return true;
}

// What a report's lines become: records of one template.
struct ReportTarget {
    const char* alias;                      // the template's work area
    const char* progressText;               // followed by the line counter
    bool (*isDataLine)(std::string_view);   // whether a line (leading blanks removed) carries a record
    uint64_t& lines;                        // lines read
    uint64_t& records;                      // records written
};

// Reads the report to its end, counting its lines in the progress window; every data line goes to
// `writeRecord`, which appends its record to the template or returns false to stop. The template
// is committed at the end.
bool convertReport(ReportFile& report, const ReportTarget& target,
                   const std::function<bool(std::string_view)>& writeRecord) {
    ui::UserInteraction& ui = ui::interaction();
    xbase::workAreas().select(target.alias);
    std::string line;
    while (report.readLine(line)) {
        ui.letEventsThrough();
        ui.progressText(1, target.progressText + std::to_string(++target.lines));
        ui.progressBar(report.percentRead(), 100);
        const std::string_view data = xbase::trimmedLeft(line);
        if (!target.isDataLine(data)) continue;
        if (!writeRecord(data)) return false;
        ++target.records;
    }
    xbase::workAreas().commit(target.alias);
    return true;
}

bool convertItems(ui::Owner owner, ReportFile& report, ReportConversion& conversion) {
    const ReportTarget target{"ITEM", "Item, Read: ", isItemLine, conversion.itemLines, conversion.itemRecords};
    return convertReport(report, target, [&](std::string_view data) {
        const ItemLine item = readItemLine(data);
        if (!numbersFit(owner, report, report.lineNumber(), {{"H_BELI", item.price}, {"H_JUAL1", item.price},
                                        {"SISA_STK1", item.quantity}, {"SISA_NIL1", item.value}}))
            return false;
        retaildb::VOAPPEND();
        VOFieldPut("KODE", item.code);
        VOFieldPut("NAMA", item.name);
        VOFieldPut("H_BELI", item.price);
        VOFieldPut("H_JUAL1", item.price);
        VOFieldPut("SISA_STK1", item.quantity);
        VOFieldPut("SISA_NIL1", item.value);
        return true;
    });
}

bool convertCustomers(ui::Owner owner, ReportFile& report, ReportConversion& conversion) {
    const ReportTarget target{"PELANG", "Pelanggan, Read: ", isCustomerLine, conversion.customerLines,
                              conversion.customerRecords};
    std::string second;
    return convertReport(report, target, [&](std::string_view data) {
        const uint64_t lineNumber = report.lineNumber();
        // The customer's second line, not counted; after the last line of the file it is empty.
        report.readLine(second);
        const CustomerLines customer = readCustomerLines(data, second);
        if (!numbersFit(owner, report, lineNumber, {{"MAX_CRD", customer.creditLimit}})) return false;
        retaildb::VOAPPEND();
        VOFieldPut("KODE", customer.code);
        VOFieldPut("NAMA", customer.name);
        VOFieldPut("NPWP", customer.taxNumber);
        VOFieldPut("ALAMAT", customer.address);
        VOFieldPut("TELEPON", customer.phone);
        VOFieldPut("HUBUNGI", customer.contact);
        VOFieldPut("TERM_CRD", 30);
        VOFieldPut("MAX_CRD", customer.creditLimit);
        VOFieldPut("CATATAN", customer.note);
        return true;
    });
}

}  // namespace

ReportConversion BUTTONCREATEDBF(ui::Owner owner) {
    const std::string folder = ui::interaction().chooseFolder(owner, "Pilih Lokasi Data:", "");
    if (folder.empty()) return {};
    const ReportConversion conversion = convertReports(owner, folder);
    if (conversion.done) ui::BOXINFO(owner, "Tarvo-Import", conversionSummary(conversion));
    return conversion;
}

std::string conversionSummary(const ReportConversion& conversion) {
    return "Create DBF selesai: " + std::to_string(conversion.itemRecords) + " item ditulis ke ITEM.DBF, " +
           std::to_string(conversion.customerRecords) + " pelanggan ditulis ke PELANG.DBF.";
}

ReportConversion convertReports(ui::Owner owner, std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    ReportConversion conversion;
    {
        ReportSeparators separators;
        conversion.done = BUTTONCREATEDBF2(owner, folder, conversion);
    }
    xbase::workAreas().commitAll();
    xbase::workAreas().closeAll();
    return conversion;
}

bool BUTTONCREATEDBF2(ui::Owner owner, const std::string& folder, ReportConversion& conversion) {
    // Both reports must be there and readable before the templates are replaced.
    const std::unique_ptr<ReportFile> items = openReport(owner, folder, kItemReport);
    if (!items) return false;
    const std::unique_ptr<ReportFile> customers = openReport(owner, folder, kCustomerReport);
    if (!customers) return false;

    if (!keepReplacedTemplates(owner, folder, {"ITEM.DBF", "PELANG.DBF"})) return false;

    // The new templates are written beside the old ones and take their place at the end, also
    // when a line stops the conversion (what was converted before it stays): a crash at any
    // moment leaves each template the old one or the new one. A write that fails (a full disk)
    // leaves the old ones.
    try {
        xbase::FileReplacement replacement(folder);
        const std::string work = replacement.workFolder().string() + "/";
        if (!retaildb::VOCreate(owner, work + "ITEM.DBF", itemStructure())) return false;
        if (!retaildb::VOCreate(owner, work + "PELANG.DBF", customerStructure())) return false;
        if (!retaildb::VOOPEN("ITEM.DBF", "ITEM", work, false, false, "DBFCDX")) return false;
        if (!retaildb::VOOPEN("PELANG.DBF", "PELANG", work, false, false, "DBFCDX")) return false;
        bool converted = false;
        {
            ui::ScopedProgress progress(owner);
            converted = convertItems(owner, *items, conversion) && convertCustomers(owner, *customers, conversion);
        }
        xbase::workAreas().close("ITEM");
        xbase::workAreas().close("PELANG");
        replacement.commit({"ITEM.DBF", "PELANG.DBF"}, retaildb::replacePoint);
        conversion.replaced = true;
        return converted;
    } catch (const xbase::Error& e) {
        // The new templates are dropped unwritten: a table whose write failed cannot be committed.
        xbase::workAreas().closeAll();
        ui::BOXERROR(owner, std::string("[BUTTONCREATEDBF2] ") + e.what());
        return false;
    }
}

}  // namespace tarvo::converters
