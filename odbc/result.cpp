#include "odbc/result.h"

#include <sqlext.h>

#include "odbc/error.h"
#include "odbc/handle.h"
#include "xbase/number_text.h"
#include "xbase/text_case.h"

namespace tarvo::odbc {

namespace {

bool isTimestamp(SQLSMALLINT type) { return type == SQL_TYPE_TIMESTAMP || type == SQL_TIMESTAMP; }

// The column's value as text, appended to cell; false when it is NULL. Long values come in pieces.
bool readCell(const Handle& statement, SQLUSMALLINT column, std::string& cell) {
    char buffer[4096];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN code =
            SQLGetData(statement.get(), column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (code == SQL_NO_DATA) return true;  // the previous piece was the last
        statement.check(code, "SQLGetData");
        if (indicator == SQL_NULL_DATA) return false;
        const bool truncated = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer);
        cell.append(buffer, truncated ? sizeof buffer - 1 : static_cast<size_t>(indicator));
        if (!truncated) return true;
    }
}

}  // namespace

Result Result::fetch(const Handle& statement) {
    Result result;
    SQLSMALLINT columns = 0;
    statement.check(SQLNumResultCols(statement.get(), &columns), "SQLNumResultCols");
    std::vector<bool> timestamps;
    for (SQLUSMALLINT c = 1; c <= columns; ++c) {
        SQLCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
        SQLULEN size = 0;
        statement.check(SQLDescribeCol(statement.get(), c, name, sizeof name, &nameLength, &type, &size, &decimals,
                                       &nullable),
                        "SQLDescribeCol");
        result.names_.emplace_back(reinterpret_cast<const char*>(name));
        result.byName_.emplace(xbase::asciiUpperCase(result.names_.back()), c - 1);
        timestamps.push_back(isTimestamp(type));
    }
    if (columns == 0) return result;

    std::string cell;
    for (;;) {
        const SQLRETURN code = SQLFetch(statement.get());
        if (code == SQL_NO_DATA) break;
        statement.check(code, "SQLFetch");
        for (SQLUSMALLINT c = 1; c <= columns; ++c) {
            cell.clear();
            const bool present = readCell(statement, c, cell);
            // Drivers that add fractions of a second give them up: timestamps read to the second.
            if (timestamps[c - 1] && cell.size() > 19 && cell[19] == '.') cell.resize(19);
            result.add(cell, !present);
        }
        ++result.rows_;
    }
    return result;
}

void Result::add(std::string_view text, bool null) {
    text_.append(text);
    ends_.push_back(text_.size());
    nulls_.push_back(null);
}

std::string_view Result::cellText(size_t index) const {
    const uint64_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

std::optional<size_t> Result::findColumn(std::string_view name) const {
    if (auto it = byName_.find(xbase::asciiUpperCase(name)); it != byName_.end()) return it->second;
    return std::nullopt;
}

size_t Result::column(std::string_view name) const {
    if (auto found = findColumn(name)) return *found;
    throw Error("[Result] The result has no column " + std::string(name));
}

bool Row::isNull(size_t column) const { return result_->nulls_[result_->cell(index_, column)]; }

std::string_view Row::text(size_t column) const { return result_->cellText(result_->cell(index_, column)); }

double Row::number(size_t column) const {
    const std::string_view value = text(column);
    return value.empty() ? 0.0 : xbase::Val(value);
}

std::string_view Row::text(std::string_view column) const { return text(result_->column(column)); }
double Row::number(std::string_view column) const { return number(result_->column(column)); }
bool Row::isNull(std::string_view column) const { return isNull(result_->column(column)); }

}  // namespace tarvo::odbc
