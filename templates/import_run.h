#pragma once
// The state of one template import: options, run stamps, code lists, duplicate lists, the
// over-width list of the structure check, counts for the summary, and the record loop every
// template is read with.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "templates/code_list.h"
#include "templates/import_options.h"
#include "ui/user_interaction.h"
#include "xbase/table.h"

namespace tarvo::templates {

// An item refused as a duplicate, by code or by name.
struct DuplicateEntry {
    std::string newCode;       // the code that collided (code list) or the item's first code (name list)
    std::string newName;
    std::string existingCode;  // KODE_C of the item already imported, trimmed
    std::string existingName;  // its NAMA, trimmed
    uint32_t templateRecno = 0;
    uint32_t stockRecno = 0;
};

// Reads the current row of an open template; a column the file lacks gives the type's empty value.
class TemplateRow {
public:
    explicit TemplateRow(const xbase::Table& table) : table_(table) {}
    bool has(const std::string& column) const { return position(column) != 0; }
    xbase::Value value(const std::string& column) const;
    std::string text(const std::string& column) const;      // as stored, blank-padded
    std::string trimmed(const std::string& column) const;   // blanks removed on both sides
    std::string upperTrimmed(const std::string& column) const;  // blanks removed, ASCII upper case
    std::string code(const std::string& column) const;      // normalised: trimmed, upper case
    double number(const std::string& column) const;
    xbase::Date date(const std::string& column) const;
    uint32_t recno() const { return table_.recNo(); }

private:
    // The column's position, looked up by name once per template: the rows share it.
    int position(const std::string& column) const;

    const xbase::Table& table_;
    mutable std::unordered_map<std::string, int> positions_;
};

class ImportRun {
public:
    ImportRun(ImportOptions options, std::string templateFolder, ui::Owner owner);

    const ImportOptions& options() const { return options_; }
    const std::string& templateFolder() const { return templateFolder_; }
    ui::Owner owner() const { return owner_; }

    // Date and time of day ("hh:mm:ss") taken once, after the structure check.
    void takeStamps();
    const xbase::Date& stampDate() const { return stampDate_; }
    const std::string& stampTime() const { return stampTime_; }

    // Whether the template was opened (its file exists in the import folder).
    bool templateOpen(const std::string& alias) const;

    // Reads every row of an open template in physical order, skipping deleted rows, with the
    // template's progress text, counter and bar; rule returns true when it wrote a record for the
    // row. Does nothing when the template is not open.
    void forEachRow(const std::string& alias, const std::function<bool(const TemplateRow&)>& rule);

    // Appends a record to a retail table (made current) with the validity marker, and counts it.
    void appendTo(const std::string& targetAlias);
    // Records the retail table's record count as its last identifier in the row of S_TABLID,
    // then commits and closes it. Does nothing when the table is not open.
    void closeCounted(const std::string& targetAlias, uint32_t identifierRow);

    // Code lists, filled by the templates of the same name and used by later ones.
    CodeList salesmen, priceGroups, regions, secondRegions, vendorCodes, vendorNames;
    CodeList customerGroups, secondCustomerGroups, customerCodes, customerNames;
    CodeList itemGroups1, itemGroups2, itemGroups3;

    std::vector<DuplicateEntry> codeDuplicates;
    std::vector<DuplicateEntry> nameDuplicates;

    // Over-wide character columns the structure check collected (CFIELDOVER).
    std::string CFIELDOVER;

    // For the summary: records appended per retail table, rows skipped per template.
    std::map<std::string, uint32_t> written;
    std::map<std::string, uint32_t> skipped;

private:
    ImportOptions options_;
    std::string templateFolder_;
    ui::Owner owner_;
    xbase::Date stampDate_;
    std::string stampTime_;
};

}  // namespace tarvo::templates
