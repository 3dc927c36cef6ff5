#pragma once
// The whole result of one statement, read when the statement ran: its columns, found by name
// without regard to case, and its rows as text, walked in the order the driver returned them.
// Holding every row makes the row count exact for any driver (some report none for a SELECT) and
// lets the caller look rows up again, for example to group the lines of a transaction.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvo::odbc {

class Handle;
class Result;

// One row of a result, valid while its result lives.
class Row {
public:
    Row(const Result& result, size_t index) : result_(&result), index_(index) {}

    size_t index() const { return index_; }  // from 0
    bool isNull(size_t column) const;
    // The value as text; empty for NULL. Timestamps read "YYYY-MM-DD hh:mm:ss".
    std::string_view text(size_t column) const;
    // The leading numeric part of the text; 0 for NULL, an empty text or a text without a number.
    double number(size_t column) const;

    // The same by column name, ignoring case; a name the result lacks throws Error.
    std::string_view text(std::string_view column) const;
    double number(std::string_view column) const;
    bool isNull(std::string_view column) const;

private:
    const Result* result_;
    size_t index_;
};

class Result {
public:
    // Fetches every row of the executed statement. Throws Error with the driver's diagnostics.
    static Result fetch(const Handle& statement);

    size_t columnCount() const { return names_.size(); }
    const std::string& columnName(size_t column) const { return names_[column]; }
    // Index of the first column of that name ignoring ASCII case; nullopt when there is none.
    std::optional<size_t> findColumn(std::string_view name) const;
    // As findColumn, but a missing column throws Error naming it.
    size_t column(std::string_view name) const;

    size_t rowCount() const { return rows_; }
    Row row(size_t index) const { return Row(*this, index); }

    // Walking: the first row is current after fetch; rowNumber() counts from 1.
    bool atEnd() const { return current_ >= rows_; }
    void next() { ++current_; }
    size_t rowNumber() const { return current_ + 1; }
    Row current() const { return Row(*this, current_); }

private:
    friend class Row;
    size_t cell(size_t row, size_t column) const { return row * names_.size() + column; }
    std::string_view cellText(size_t index) const;
    void add(std::string_view text, bool null);

    std::vector<std::string> names_;
    std::unordered_map<std::string, size_t> byName_;  // upper-case name to its first column
    std::string text_;            // every cell's text, one after another
    std::vector<uint64_t> ends_;  // where each cell's text ends in text_
    std::vector<bool> nulls_;
    size_t rows_ = 0;
    size_t current_ = 0;
};

}  // namespace tarvo::odbc
