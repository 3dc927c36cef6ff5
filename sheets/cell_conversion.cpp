#include "sheets/cell_conversion.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "sheets/serial_dates.h"
#include "xbase/dates.h"
#include "xbase/number_text.h"
#include "xbase/numeric_fit.h"
#include "xbase/text_case.h"

namespace tarvo::sheets {

namespace {

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string numberText(double number) {
    char text[64];
    if (std::fabs(number) < 1e18 && number == std::floor(number)) std::snprintf(text, sizeof text, "%.0f", number);
    else std::snprintf(text, sizeof text, "%.15g", number);
    return text;
}

// The first `count` characters of UTF-8 text.
std::string firstCharacters(std::string_view utf8, size_t count) {
    size_t i = 0;
    for (size_t n = 0; i < utf8.size() && n < count; ++n) {
        ++i;
        while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    }
    return std::string(utf8.substr(0, i));
}

bool parseInt(std::string_view text, int& value) {
    if (!allDigits(text)) return false;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc();
}

CellResult characterValue(const Cell& cell, const xbase::FieldInfo& column, const ConversionOptions& options) {
    CellResult result;
    std::string text = cell.kind == CellKind::Text ? std::string(trimmed(cell.text)) : cellText(cell);
    const size_t length = characterCount(text);
    if (length > static_cast<size_t>(column.length)) {
        const std::string measure =
            std::to_string(length) + " characters, width " + std::to_string(column.length);
        if (!options.truncate) {
            result.error = std::string(kTextTooLong) + " (" + measure + ")";
            return result;
        }
        result.warning = "text cut to the width (" + measure + ")";
        text = firstCharacters(text, static_cast<size_t>(column.length));
    }
    // A character the table cannot hold would be stored as "?": the cell is refused instead.
    const xbase::CodePage& codePage = options.tableCodePage ? *options.tableCodePage : xbase::CodePage::oem();
    if (const std::string missing = codePage.missingCharacter(text); !missing.empty()) {
        result = {{}, "character \"" + missing + "\" not in the table's code page (" + codePage.name() + ")", {}};
        return result;
    }
    result.value = xbase::Value(std::move(text));
    return result;
}

CellResult numericValue(const Cell& cell, const xbase::FieldInfo& column) {
    CellResult result;
    std::optional<double> number;
    if (cell.kind == CellKind::Number) number = cell.number;
    else if (cell.kind == CellKind::Date) number = cell.number;
    else if (cell.kind == CellKind::Text) number = numberFromText(cell.text);
    else if (cell.kind == CellKind::Logical) number = cell.logical ? 1.0 : 0.0;
    if (!number || !std::isfinite(*number)) {
        result.error = "not a number";
        return result;
    }
    const double rounded = xbase::Round(*number, column.decimals) + 0.0;  // no negative zero
    if (!xbase::fitsNumericField(rounded, column.length, column.decimals)) {
        result.error = "number does not fit the width " + std::to_string(column.length) + " with " +
                       std::to_string(column.decimals) + " decimals";
        return result;
    }
    if (std::fabs(rounded - *number) > 1e-9 * std::max(1.0, std::fabs(*number)))
        result.warning = "rounded to " + std::to_string(column.decimals) + " decimals";
    result.value = xbase::Value(rounded);
    return result;
}

CellResult dateValue(const Cell& cell) {
    CellResult result;
    std::optional<xbase::Date> date;
    if (cell.kind == CellKind::Date) date = cell.date;
    else if (cell.kind == CellKind::Number) {
        const xbase::Date d = dateFromSerial(cell.number);
        if (!d.empty()) date = d;
    } else if (cell.kind == CellKind::Text) {
        date = dateFromText(cell.text);
    }
    if (!date) {
        result.error = "not a date (DD/MM/YYYY or YYYY-MM-DD)";
        return result;
    }
    result.value = xbase::Value(*date);
    return result;
}

CellResult logicalValue(const Cell& cell) {
    CellResult result;
    std::optional<bool> logical;
    if (cell.kind == CellKind::Logical) logical = cell.logical;
    else if (cell.kind == CellKind::Number && (cell.number == 0 || cell.number == 1)) logical = cell.number == 1;
    else if (cell.kind == CellKind::Text) logical = logicalFromText(cell.text);
    if (!logical) {
        result.error = "not a logical value (TRUE/FALSE, Y/N, 1/0)";
        return result;
    }
    result.value = xbase::Value(*logical);
    return result;
}

}  // namespace

size_t characterCount(std::string_view utf8) {
    size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string cellText(const Cell& cell) {
    switch (cell.kind) {
        case CellKind::Empty: return {};
        case CellKind::Number: return numberText(cell.number);
        case CellKind::Date: return xbase::DToC(cell.date);
        case CellKind::Logical: return cell.logical ? "TRUE" : "FALSE";
        case CellKind::NoValue: return "(formula)";
        case CellKind::Text:
        case CellKind::Error: return cell.text;
    }
    return {};
}

std::optional<double> numberFromText(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = trimmed(text.substr(1));
    }
    if (text.empty()) return std::nullopt;
    for (const char c : text)
        if ((c < '0' || c > '9') && c != '.' && c != ',') return std::nullopt;
    const size_t lastDot = text.rfind('.'), lastComma = text.rfind(',');
    const size_t dots = static_cast<size_t>(std::count(text.begin(), text.end(), '.'));
    const size_t commas = static_cast<size_t>(std::count(text.begin(), text.end(), ','));
    char decimal = 0;
    if (dots && commas) {
        decimal = lastDot > lastComma ? '.' : ',';
        if ((decimal == '.' ? dots : commas) > 1) return std::nullopt;
    } else if (dots + commas == 1) {
        const char sep = dots ? '.' : ',';
        const size_t at = text.find(sep);
        const bool thousandsShape = text.size() - at - 1 == 3 && at >= 1 && at <= 3 && text.front() != '0';
        decimal = thousandsShape && sep == '.' ? 0 : sep;
    }
    // Digits before the decimal point, grouped in threes by the other separator when grouped at all.
    const size_t point = decimal ? text.find(decimal) : std::string_view::npos;
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const char group = decimal == '.' ? ',' : decimal == ',' ? '.' : (dots ? '.' : ',');
    std::string digits;
    if (whole.find(group) == std::string_view::npos) {
        if (!whole.empty() && !allDigits(whole)) return std::nullopt;
        digits = whole;
    } else {
        size_t start = 0;
        for (bool first = true;; first = false) {
            const size_t sep = whole.find(group, start);
            const std::string_view part = whole.substr(start, sep == std::string_view::npos ? sep : sep - start);
            if (!allDigits(part) || (first ? part.size() > 3 : part.size() != 3)) return std::nullopt;
            digits += part;
            if (sep == std::string_view::npos) break;
            start = sep + 1;
        }
    }
    if (!fraction.empty() && !allDigits(fraction)) return std::nullopt;
    if (digits.empty() && fraction.empty()) return std::nullopt;
    if (digits.empty()) digits = "0";
    if (!fraction.empty()) digits += "." + std::string(fraction);
    double number = 0;
    if (!xbase::ReadNumber(digits, number)) return std::nullopt;
    return negative ? -number : number;
}

std::optional<xbase::Date> dateFromText(std::string_view text) {
    text = trimmed(text);
    // A time of day after the date is passed over.
    const size_t timeAt = text.find_first_of(" T");
    if (timeAt != std::string_view::npos) {
        const std::string_view time = trimmed(text.substr(timeAt + 1));
        for (const char c : time)
            if ((c < '0' || c > '9') && c != ':' && c != '.') return std::nullopt;
        if (time.find(':') == std::string_view::npos) return std::nullopt;
        text = text.substr(0, timeAt);
    }
    const size_t a = text.find_first_of("/-.");
    if (a == std::string_view::npos) return std::nullopt;
    const char sep = text[a];
    const size_t b = text.find(sep, a + 1);
    if (b == std::string_view::npos || text.find(sep, b + 1) != std::string_view::npos) return std::nullopt;
    const std::string_view p1 = text.substr(0, a), p2 = text.substr(a + 1, b - a - 1), p3 = text.substr(b + 1);
    int y = 0, m = 0, d = 0;
    if (p1.size() == 4 && sep != '.') {  // YYYY-MM-DD
        if (!parseInt(p1, y) || p2.size() > 2 || !parseInt(p2, m) || p3.size() > 2 || !parseInt(p3, d))
            return std::nullopt;
    } else if (p3.size() == 4) {  // DD/MM/YYYY
        if (p1.size() > 2 || !parseInt(p1, d) || p2.size() > 2 || !parseInt(p2, m) || !parseInt(p3, y))
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (y < 1 || !xbase::Date::valid(y, m, d)) return std::nullopt;
    return xbase::Date{y, m, d};
}

std::optional<bool> logicalFromText(std::string_view text) {
    text = trimmed(text);
    const std::string upper = xbase::asciiUpperCase(text);
    if (upper == "TRUE" || upper == "Y" || upper == "YES" || upper == "1") return true;
    if (upper == "FALSE" || upper == "N" || upper == "NO" || upper == "0") return false;
    return std::nullopt;
}

CellResult convertCell(const Cell* cell, const xbase::FieldInfo& column, bool mandatory,
                       const ConversionOptions& options) {
    CellResult result;
    const bool empty = !cell || cell->kind == CellKind::Empty ||
                       (cell->kind == CellKind::Text && trimmed(cell->text).empty());
    if (empty) {
        if (mandatory) result.error = "mandatory value empty";
        return result;
    }
    if (cell->kind == CellKind::NoValue) {
        result.error = "formula without a saved result (open and save the workbook in a spreadsheet program)";
        return result;
    }
    if (cell->kind == CellKind::Error) {
        result.error = "the cell holds an error value";
        return result;
    }
    switch (column.type) {
        case 'N': return numericValue(*cell, column);
        case 'D': return dateValue(*cell);
        case 'L': return logicalValue(*cell);
        default: return characterValue(*cell, column, options);
    }
}

}  // namespace tarvo::sheets
