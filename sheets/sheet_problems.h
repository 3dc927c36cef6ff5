#pragma once
// The list of problems found in a workbook or CSV folder: each with its sheet, row, column, the
// cell's value and the reason. Errors stop the run before anything is written; warnings only
// tell what was changed to fit.

#include <cstddef>
#include <string>
#include <vector>

namespace tarvo::sheets {

struct SheetProblem {
    bool warning = false;
    std::string sheet;
    long row = 0;         // 1-based; 0 for a problem of the whole sheet
    std::string column;   // the column's name (header text); empty for a problem of a row or sheet
    int columnIndex = -1; // 0-based position in the sheet, -1 when unknown
    std::string value;
    std::string reason;
};

// One line: sheet, row, column (with its letters), value and reason, for example
// ITEM row 5, column H_BELI (AG), value "12x": not a number
std::string describe(const SheetProblem& problem);

class ProblemList {
public:
    // Errors and warnings beyond these many are counted, not kept.
    explicit ProblemList(size_t keep = 1000) : keep_(keep) {}

    void add(SheetProblem problem);
    void error(const std::string& sheet, long row, const std::string& column, int columnIndex,
               const std::string& value, const std::string& reason);
    void warning(const std::string& sheet, long row, const std::string& column, int columnIndex,
                 const std::string& value, const std::string& reason);

    size_t errorCount() const { return errors_; }
    // True when there are errors and every one of them has a reason that starts with `reason`.
    bool onlyErrorsOf(const std::string& reason) const;
    size_t warningCount() const { return warnings_; }
    const std::vector<SheetProblem>& kept() const { return problems_; }
    // Every kept problem as a line, errors before warnings, then a line counting the ones left out.
    std::vector<std::string> lines() const;

private:
    size_t keep_;
    size_t errors_ = 0;
    size_t warnings_ = 0;
    std::vector<SheetProblem> problems_;
};

}  // namespace tarvo::sheets
