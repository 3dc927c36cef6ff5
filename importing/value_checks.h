#pragma once
// The check of the numbers an import will write, before the shop is touched: each value is tried
// against the retail field it goes to, by the rule the table writes by, and the ones that do not
// fit refuse the import with one message that names them.

#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include "importing/import_run.h"
#include "ui/user_interaction.h"

namespace tarvo::importing {

enum class ValueCheck { Passed, Refused, Stopped };

// A numeric field of a retail table.
struct NumericField {
    int width = 0;
    int decimals = 0;
};

// Values tried against the fields of the retail tables in the database folder (each table's
// header read once, the tables left as they are); only the first problems are kept in full.
class ValueTrials {
public:
    explicit ValueTrials(std::string databaseFolder) : database_(std::move(databaseFolder)) {}

    // The field when it is numeric; empty for one that is missing or of another type (its write
    // has rules of its own) and for a table that cannot be read now (the steps before the
    // preparation refuse it with their own message).
    std::optional<NumericField> numericField(const std::string& table, const std::string& field);
    // Tries the value written into the field; one that does not fit is noted with its source
    // ("MSBRG.DBF record 2", "table TBLItem row 12") and columns.
    void tryValue(const std::string& source, const std::string& columns, double value, const std::string& table,
                  const std::string& field);
    void tryValue(const std::string& source, const std::string& columns, double value, const std::string& table,
                  const std::string& field, const NumericField& numeric);
    // Passed when every value fit; else Refused after one error box that lists the values that do
    // not fit (the first ones when there are many, with the count of the rest).
    ValueCheck report(ui::Owner owner) const;

private:
    std::string database_;
    std::map<std::string, std::map<std::string, NumericField>> tables_;
    std::string listed_;
    size_t count_ = 0;
};

// The feeds of the run over their source tables (open in the run's work areas): every row the
// import takes up is read once, unless each column is narrower than its field. Stopped when a stop
// was requested meanwhile.
ValueCheck checkValues(ui::Owner owner, const std::string& databaseFolder, const ImportRun& run);

}  // namespace tarvo::importing
