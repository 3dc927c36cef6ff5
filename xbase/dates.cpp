#include "xbase/dates.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "xbase/settings.h"
#include "xbase/text_case.h"

namespace tarvo::xbase {

namespace {

// One piece of the date format: a day, month or year field, or a literal character.
struct FormatPiece {
    char field;      // 'D', 'M', 'Y', or 0 for a literal
    char literal;
};

// Splits the date format into its fields (runs of D, M or Y in either case) and literal characters.
std::vector<FormatPiece> parseFormat(std::string_view format) {
    std::vector<FormatPiece> pieces;
    for (std::size_t i = 0; i < format.size();) {
        const char upper = asciiUpper(format[i]);
        if (upper == 'D' || upper == 'M' || upper == 'Y') {
            pieces.push_back({upper, 0});
            while (i < format.size() && asciiUpper(format[i]) == upper) ++i;
        } else {
            pieces.push_back({0, format[i]});
            ++i;
        }
    }
    return pieces;
}

// The year is shown and read with four digits when the century setting is on, else with two.
int yearWidth() { return settings().century ? 4 : 2; }

int fieldWidth(char field) { return field == 'Y' ? yearWidth() : 2; }

bool isCalendarDate(Date date) { return Date::valid(date.year, date.month, date.day); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A two-digit year falls in the hundred years that begin with the epoch year.
int expandYear(int twoDigits) {
    int epoch = settings().epoch;
    int year = epoch / 100 * 100 + twoDigits;
    return year < epoch ? year + 100 : year;
}

}  // namespace

std::string DToC(Date date) {
    const bool blank = !isCalendarDate(date);
    std::string out;
    for (const FormatPiece& piece : parseFormat(settings().dateFormat)) {
        if (piece.field == 0) {
            out += piece.literal;
            continue;
        }
        int width = fieldWidth(piece.field);
        if (blank) {
            out.append(static_cast<std::size_t>(width), ' ');
            continue;
        }
        int number = piece.field == 'D' ? date.day : piece.field == 'M' ? date.month : date.year;
        if (width == 2) number %= 100;
        char digits[8];
        std::snprintf(digits, sizeof digits, "%0*d", width, number);
        out += digits;
    }
    return out;
}

std::string TToC(const DateTime& dateTime) {
    if (dateTime.empty()) return DToC(Date{}) + "   :  :  ";
    const int32_t seconds = dateTime.milliseconds / 1000;
    char time[16];
    std::snprintf(time, sizeof time, " %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return DToC(dateTime.date) + time;
}

// Reads the fields in the order of the date format. A field may have fewer digits than its width
// ("8/7/2024"), any non-digit stands for a separator (a digit there makes the text invalid), and
// only blanks may follow the last field.
Date CToD(std::string_view text) {
    int day = 0, month = 0, year = 0;
    bool twoDigitYear = false;
    std::size_t pos = 0;
    for (const FormatPiece& piece : parseFormat(settings().dateFormat)) {
        if (piece.field == 0) {
            if (pos < text.size()) {
                if (isDigit(text[pos])) return Date{};
                ++pos;
            }
            continue;
        }
        while (pos < text.size() && text[pos] == ' ') ++pos;
        int number = 0, count = 0;
        const int width = fieldWidth(piece.field);
        for (; count < width && pos < text.size() && isDigit(text[pos]); ++count, ++pos) {
            number = number * 10 + (text[pos] - '0');
        }
        if (count == 0) return Date{};
        if (piece.field == 'D') day = number;
        if (piece.field == 'M') month = number;
        if (piece.field == 'Y') {
            year = number;
            twoDigitYear = count <= 2;
        }
    }
    for (; pos < text.size(); ++pos) {
        if (text[pos] != ' ') return Date{};
    }
    if (twoDigitYear) year = expandYear(year);
    if (!Date::valid(year, month, day)) return Date{};
    return Date{year, month, day};
}

std::string DToS(Date date) {
    if (!isCalendarDate(date)) return std::string(8, ' ');
    // Written digit by digit: tables take a date per record, and printf would be most of the cost.
    std::string out(8, '0');
    const int parts[3][2] = {{date.year, 4}, {date.month, 2}, {date.day, 2}};
    size_t end = 0;
    for (const auto& [value, width] : parts) {
        end += static_cast<size_t>(width);
        for (int rest = value, at = static_cast<int>(end) - 1; rest > 0; rest /= 10, --at)
            out[static_cast<size_t>(at)] = static_cast<char>('0' + rest % 10);
    }
    return out;
}

Date SToD(std::string_view text) {
    if (text.size() != 8) return Date{};
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    std::size_t pos = 0;
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < widths[part]; ++i, ++pos) {
            if (!isDigit(text[pos])) return Date{};
            parts[part] = parts[part] * 10 + (text[pos] - '0');
        }
    }
    if (!Date::valid(parts[0], parts[1], parts[2])) return Date{};
    return Date{parts[0], parts[1], parts[2]};
}

Date today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace tarvo::xbase
