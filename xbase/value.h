#pragma once
// Values of the xBase run-time: nil, character text (UTF-8), number, date, logical.

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

enum class ValueType { Nil, Character, Numeric, Date, Logical };

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

    ValueType type() const { return static_cast<ValueType>(v_.index()); }
    bool isNil() const { return type() == ValueType::Nil; }
    bool isCharacter() const { return type() == ValueType::Character; }
    bool isNumeric() const { return type() == ValueType::Numeric; }
    bool isDate() const { return type() == ValueType::Date; }
    bool isLogical() const { return type() == ValueType::Logical; }

    // Accessors return the type's empty value when the value is of another type.
    const std::string& text() const;
    double number() const { return isNumeric() ? std::get<double>(v_) : 0.0; }
    Date date() const { return isDate() ? std::get<Date>(v_) : Date{}; }
    bool logical() const { return isLogical() && std::get<bool>(v_); }

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::string, double, Date, bool> v_;
};

const char* valueTypeName(ValueType type);

}  // namespace tarvo::xbase
