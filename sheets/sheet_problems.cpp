#include "sheets/sheet_problems.h"

#include "sheets/sheet_rows.h"

namespace tarvo::sheets {

std::string describe(const SheetProblem& problem) {
    std::string line = problem.sheet;
    if (problem.row > 0) line += " row " + std::to_string(problem.row);
    if (!problem.column.empty() || problem.columnIndex >= 0) {
        line += problem.row > 0 ? ", column " : " column ";
        line += problem.column.empty() ? columnLetters(problem.columnIndex) : problem.column;
        if (!problem.column.empty() && problem.columnIndex >= 0) line += " (" + columnLetters(problem.columnIndex) + ")";
    }
    if (!problem.value.empty()) line += ", value \"" + problem.value + "\"";
    line = line.empty() ? problem.reason : line + ": " + problem.reason;
    return problem.warning ? "warning: " + line : line;
}

void ProblemList::add(SheetProblem problem) {
    size_t& count = problem.warning ? warnings_ : errors_;
    ++count;
    if (count <= keep_) problems_.push_back(std::move(problem));
}

void ProblemList::error(const std::string& sheet, long row, const std::string& column, int columnIndex,
                        const std::string& value, const std::string& reason) {
    add({false, sheet, row, column, columnIndex, value, reason});
}

void ProblemList::warning(const std::string& sheet, long row, const std::string& column, int columnIndex,
                          const std::string& value, const std::string& reason) {
    add({true, sheet, row, column, columnIndex, value, reason});
}

bool ProblemList::onlyErrorsOf(const std::string& reason) const {
    size_t matching = 0;
    for (const SheetProblem& p : problems_)
        if (!p.warning && p.reason.rfind(reason, 0) == 0) ++matching;
    return errors_ > 0 && matching == errors_;
}

std::vector<std::string> ProblemList::lines() const {
    std::vector<std::string> out;
    for (const bool warnings : {false, true})
        for (const SheetProblem& p : problems_)
            if (p.warning == warnings) out.push_back(describe(p));
    const size_t leftErrors = errors_ > keep_ ? errors_ - keep_ : 0;
    const size_t leftWarnings = warnings_ > keep_ ? warnings_ - keep_ : 0;
    if (leftErrors) out.push_back("... and " + std::to_string(leftErrors) + " more errors");
    if (leftWarnings) out.push_back("... and " + std::to_string(leftWarnings) + " more warnings");
    return out;
}

}  // namespace tarvo::sheets
