#pragma once
// Writes one sample template: creates NAME.DBF with the template's full layout (and the columns
// the import reads outside the layouts) and appends rows to it.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "xbase/table.h"

namespace tarvo::sampledata {

class SampleTemplateWriter {
public:
    // Creates folder/NAME.DBF (replacing a file of that name) and opens it; throws xbase::Error.
    SampleTemplateWriter(const std::filesystem::path& folder, const std::string& name);
    ~SampleTemplateWriter();  // closes, when close() was not called
    SampleTemplateWriter(const SampleTemplateWriter&) = delete;
    SampleTemplateWriter& operator=(const SampleTemplateWriter&) = delete;

    // A blank row, made current.
    void addRow();
    // Marks the current row deleted.
    void deleteRow();
    // Position of a column of the template (0 when the template has no such column).
    int column(std::string_view name) const { return table_->fieldPos(name); }
    // Writes a column of the current row; the column must exist.
    void put(int column, const xbase::Value& value) { table_->fieldPut(column, value); }
    void put(std::string_view name, const xbase::Value& value) { table_->fieldPut(name, value); }
    uint32_t rows() const { return table_->recCount(); }
    // Commits and closes the file; throws xbase::Error when it cannot be written.
    void close();

private:
    std::unique_ptr<xbase::Table> table_;
};

}  // namespace tarvo::sampledata
