#pragma once
// Values of the xBase run-time: nil, character text (UTF-8), number, date, logical, date and time.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tarvo::xbase {

// A calendar date; the empty date (all zero) is what a blank date field holds.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;

    bool empty() const { return year == 0 && month == 0 && day == 0; }
    auto operator<=>(const Date&) const = default;

    // Julian day number (0 for the empty date) and back; used for date arithmetic.
    long julian() const;
    static Date fromJulian(long julian);
    static bool valid(int year, int month, int day);
};

// A date with a time of day, as a DateTime field holds it; the empty value (empty date, midnight)
// is what a blank DateTime field holds.
struct DateTime {
    static constexpr int32_t kMillisecondsPerDay = 86'400'000;

    Date date;
    int32_t milliseconds = 0;  // since midnight, 0 to kMillisecondsPerDay - 1

    bool empty() const { return date.empty() && milliseconds == 0; }
    auto operator<=>(const DateTime&) const = default;

    // Days since the start of the Julian period with the time as the fraction of a day (0 when
    // empty): the number DateTime index keys hold and date-time arithmetic works on.
    double julianDays() const;
    // The value nearest to a number of Julian days, to the millisecond; empty for 0 or less.
    static DateTime fromJulianDays(double days);
};

enum class ValueType { Nil, Character, Numeric, Date, Logical, DateTime };

class Value {
public:
    Value() = default;
    Value(std::string text) : v_(std::move(text)) {}
    Value(std::string_view text) : v_(std::string(text)) {}
    Value(const char* text) : v_(std::string(text)) {}
    Value(double number) : v_(number) {}
    Value(int number) : v_(static_cast<double>(number)) {}
    Value(long number) : v_(static_cast<double>(number)) {}
    Value(long long number) : v_(static_cast<double>(number)) {}
    Value(unsigned number) : v_(static_cast<double>(number)) {}
    Value(Date date) : v_(date) {}
    Value(bool logical) : v_(logical) {}
    Value(DateTime dateTime) : v_(dateTime) {}

    ValueType type() const { return static_cast<ValueType>(v_.index()); }
    bool isNil() const { return type() == ValueType::Nil; }
    bool isCharacter() const { return type() == ValueType::Character; }
    bool isNumeric() const { return type() == ValueType::Numeric; }
    bool isDate() const { return type() == ValueType::Date; }
    bool isLogical() const { return type() == ValueType::Logical; }
    bool isDateTime() const { return type() == ValueType::DateTime; }

    // Accessors return the type's empty value when the value is of another type.
    const std::string& text() const;
    double number() const { return isNumeric() ? std::get<double>(v_) : 0.0; }
    Date date() const { return isDate() ? std::get<Date>(v_) : Date{}; }
    bool logical() const { return isLogical() && std::get<bool>(v_); }
    DateTime dateTime() const { return isDateTime() ? std::get<DateTime>(v_) : DateTime{}; }

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::string, double, Date, bool, DateTime> v_;
};

const char* valueTypeName(ValueType type);

}  // namespace tarvo::xbase
