// Literals, fields and the operators of the expression language.
//
// Character comparisons: "=" is true when the left side begins with the right side (an
// empty right side matches anything), "!=" "<>" "#" negate it, "==" wants the same bytes.
// "<" "<=" ">" ">=" compare byte-wise lexicographically (unsigned bytes, as the index
// collation), so "AB" < "ABC". "A $ B" is true when A occurs in B; an empty A occurs nowhere.
// Numbers are equal within settings().floatDelta. Dates compare by day, the empty date first;
// .F. is less than .T. Nil equals only nil and has no order.

#include <cmath>
#include <compare>

#include "xbase/expression/nodes.h"
#include "xbase/expression/shapes.h"
#include "xbase/settings.h"

namespace tarvo::xbase::expression_detail {

namespace {

const char* spelling(BinaryOperator op) {
    switch (op) {
        case BinaryOperator::Add: return "+";
        case BinaryOperator::Subtract: return "-";
        case BinaryOperator::Multiply: return "*";
        case BinaryOperator::Divide: return "/";
        case BinaryOperator::Modulo: return "%";
        case BinaryOperator::Equal: return "=";
        case BinaryOperator::ExactEqual: return "==";
        case BinaryOperator::NotEqual: return "!=";
        case BinaryOperator::Less: return "<";
        case BinaryOperator::LessEqual: return "<=";
        case BinaryOperator::Greater: return ">";
        case BinaryOperator::GreaterEqual: return ">=";
        case BinaryOperator::Contains: return "$";
        case BinaryOperator::And: return ".AND.";
        case BinaryOperator::Or: return ".OR.";
    }
    return "?";
}

[[noreturn]] void mismatch(int offset, const Value& left, const char* op, const Value& right) {
    throw Failure{offset, std::string("type mismatch, ") + valueTypeName(left.type()) + " " + op + " " +
                              valueTypeName(right.type())};
}

[[noreturn]] void mismatch(int offset, const char* op, const Value& operand) {
    throw Failure{offset, std::string("type mismatch, ") + op + " " + valueTypeName(operand.type())};
}

Value checkedNumber(double number, int offset) {
    if (!std::isfinite(number)) throw Failure{offset, "numeric overflow"};
    return Value(number);
}

Value checkedText(std::string text, int offset) {
    if (text.size() > kMaxTextLength) throw Failure{offset, "character value too long"};
    return Value(std::move(text));
}

// date + days; the empty date stays empty.
Value shiftedDate(Date date, double days, int offset) {
    if (date.empty()) return Value(date);
    static const long kFirst = Date{1, 1, 1}.julian();
    static const long kLast = Date{9999, 12, 31}.julian();
    double julian = static_cast<double>(date.julian()) + std::trunc(days);
    if (!(julian >= kFirst && julian <= kLast)) throw Failure{offset, "date out of range"};
    return Value(Date::fromJulian(static_cast<long>(julian)));
}

// date and time + seconds; the empty value stays empty.
Value shiftedDateTime(const DateTime& when, double seconds, int offset) {
    if (when.empty()) return Value(when);
    static const double kFirst = Date{1, 1, 1}.julian();
    static const double kLast = Date{9999, 12, 31}.julian() + 1;
    const double days = when.julianDays() + seconds / 86400.0;
    if (!(days >= kFirst && days < kLast)) throw Failure{offset, "date and time out of range"};
    return Value(DateTime::fromJulianDays(days));
}

// xBase "-" on text: the left side's trailing blanks move to the end of the result.
std::string concatenateTrimmed(const std::string& left, const std::string& right) {
    size_t kept = left.find_last_not_of(' ');
    kept = kept == std::string::npos ? 0 : kept + 1;
    std::string result;
    result.reserve(left.size() + right.size());
    result.append(left, 0, kept).append(right).append(left.size() - kept, ' ');
    return result;
}

Value add(const Value& left, const Value& right, int offset) {
    if (left.isCharacter() && right.isCharacter()) {
        std::string result;
        result.reserve(left.text().size() + right.text().size());
        result.append(left.text()).append(right.text());
        return checkedText(std::move(result), offset);
    }
    if (left.isNumeric() && right.isNumeric()) return checkedNumber(left.number() + right.number(), offset);
    if (left.isDate() && right.isNumeric()) return shiftedDate(left.date(), right.number(), offset);
    if (left.isNumeric() && right.isDate()) return shiftedDate(right.date(), left.number(), offset);
    if (left.isDateTime() && right.isNumeric()) return shiftedDateTime(left.dateTime(), right.number(), offset);
    if (left.isNumeric() && right.isDateTime()) return shiftedDateTime(right.dateTime(), left.number(), offset);
    mismatch(offset, left, "+", right);
}

Value subtract(const Value& left, const Value& right, int offset) {
    if (left.isCharacter() && right.isCharacter()) {
        return checkedText(concatenateTrimmed(left.text(), right.text()), offset);
    }
    if (left.isNumeric() && right.isNumeric()) return checkedNumber(left.number() - right.number(), offset);
    if (left.isDate() && right.isNumeric()) return shiftedDate(left.date(), -right.number(), offset);
    if (left.isDate() && right.isDate()) {
        return Value(static_cast<double>(left.date().julian() - right.date().julian()));
    }
    if (left.isDateTime() && right.isNumeric()) return shiftedDateTime(left.dateTime(), -right.number(), offset);
    if (left.isDateTime() && right.isDateTime()) {
        const double days = left.dateTime().julianDays() - right.dateTime().julianDays();
        return Value(std::round(days * 86400.0 * 1000.0) / 1000.0);  // seconds, to the millisecond
    }
    mismatch(offset, left, "-", right);
}

Value arithmetic(BinaryOperator op, const Value& left, const Value& right, int offset) {
    if (!left.isNumeric() || !right.isNumeric()) mismatch(offset, left, spelling(op), right);
    double a = left.number(), b = right.number();
    if (op == BinaryOperator::Multiply) return checkedNumber(a * b, offset);
    if (b == 0) throw Failure{offset, "division by zero"};
    return checkedNumber(op == BinaryOperator::Divide ? a / b : std::fmod(a, b), offset);
}

std::partial_ordering order(const Value& left, const Value& right) {
    switch (left.type()) {
        case ValueType::Character: return left.text().compare(right.text()) <=> 0;
        case ValueType::Numeric: {
            double a = left.number(), b = right.number();
            if (std::fabs(a - b) < settings().floatDelta) return std::partial_ordering::equivalent;
            return a <=> b;
        }
        case ValueType::Date: return left.date() <=> right.date();
        case ValueType::Logical: return left.logical() <=> right.logical();
        case ValueType::DateTime: return left.dateTime() <=> right.dateTime();
        case ValueType::Nil: return std::partial_ordering::unordered;
    }
    return std::partial_ordering::unordered;
}

bool equal(BinaryOperator op, const Value& left, const Value& right) {
    if (left.isCharacter() && op != BinaryOperator::ExactEqual) {
        return std::string_view(left.text()).starts_with(right.text());
    }
    if (left.isNil()) return true;
    return order(left, right) == 0;
}

Value compare(BinaryOperator op, const Value& left, const Value& right, int offset) {
    bool isEquality = op == BinaryOperator::Equal || op == BinaryOperator::ExactEqual || op == BinaryOperator::NotEqual;
    if (left.type() != right.type()) {
        if (isEquality && (left.isNil() || right.isNil())) return Value(op == BinaryOperator::NotEqual);
        mismatch(offset, left, spelling(op), right);
    }
    if (isEquality) return Value(equal(op, left, right) != (op == BinaryOperator::NotEqual));
    if (op == BinaryOperator::Contains) {
        if (!left.isCharacter()) mismatch(offset, left, "$", right);
        return Value(!left.text().empty() && right.text().find(left.text()) != std::string::npos);
    }
    std::partial_ordering result = order(left, right);
    if (result == std::partial_ordering::unordered) mismatch(offset, left, spelling(op), right);
    switch (op) {
        case BinaryOperator::Less: return Value(result < 0);
        case BinaryOperator::LessEqual: return Value(result <= 0);
        case BinaryOperator::Greater: return Value(result > 0);
        default: return Value(result >= 0);
    }
}

class LiteralNode : public Node {
public:
    LiteralNode(Value value, int offset) : Node(offset, 1), value_(std::move(value)) {}
    Value evaluate(const ExpressionContext&) const override { return value_; }

private:
    Value value_;
};

class FieldNode : public Node {
public:
    FieldNode(int handle, int offset) : Node(offset, 1), handle_(handle) {}
    Value evaluate(const ExpressionContext& context) const override { return context.fieldValue(handle_); }
    int handle() const { return handle_; }

private:
    int handle_;
};

class UnaryNode : public Node {
public:
    UnaryNode(UnaryOperator op, NodePtr operand, int offset)
        : Node(offset, heightAbove(operand->height(), offset)), op_(op), operand_(std::move(operand)) {}

    Value evaluate(const ExpressionContext& context) const override {
        Value value = operand_->evaluate(context);
        if (op_ == UnaryOperator::Not) {
            if (!value.isLogical()) mismatch(offset(), ".NOT.", value);
            return Value(!value.logical());
        }
        if (!value.isNumeric()) mismatch(offset(), op_ == UnaryOperator::Minus ? "-" : "+", value);
        return op_ == UnaryOperator::Minus ? Value(-value.number()) : value;
    }

private:
    UnaryOperator op_;
    NodePtr operand_;
};

// .AND. and .OR. evaluate their right side only when the left side does not decide.
class LogicalNode : public Node {
public:
    LogicalNode(BinaryOperator op, NodePtr left, NodePtr right, int offset)
        : Node(offset, heightAbove(std::max(left->height(), right->height()), offset)),
          isAnd_(op == BinaryOperator::And), left_(std::move(left)), right_(std::move(right)) {}

    Value evaluate(const ExpressionContext& context) const override {
        const char* op = isAnd_ ? ".AND." : ".OR.";
        Value left = left_->evaluate(context);
        if (!left.isLogical()) mismatch(offset(), op, left);
        if (left.logical() != isAnd_) return left;
        Value right = right_->evaluate(context);
        if (!right.isLogical()) mismatch(offset(), op, right);
        return right;
    }

private:
    bool isAnd_;
    NodePtr left_;
    NodePtr right_;
};

class BinaryNode : public Node {
public:
    BinaryNode(BinaryOperator op, NodePtr left, NodePtr right, int offset)
        : Node(offset, heightAbove(std::max(left->height(), right->height()), offset)),
          op_(op), left_(std::move(left)), right_(std::move(right)) {}

    Value evaluate(const ExpressionContext& context) const override {
        Value left = left_->evaluate(context);
        Value right = right_->evaluate(context);
        switch (op_) {
            case BinaryOperator::Add: return add(left, right, offset());
            case BinaryOperator::Subtract: return subtract(left, right, offset());
            case BinaryOperator::Multiply:
            case BinaryOperator::Divide:
            case BinaryOperator::Modulo: return arithmetic(op_, left, right, offset());
            default: return compare(op_, left, right, offset());
        }
    }

    BinaryOperator op() const { return op_; }
    const Node& left() const { return *left_; }
    const Node& right() const { return *right_; }

private:
    BinaryOperator op_;
    NodePtr left_;
    NodePtr right_;
};

}  // namespace

int heightAbove(int tallestChild, int offset) {
    if (tallestChild >= kMaxDepth) throw Failure{offset, "expression nested too deeply"};
    return tallestChild + 1;
}

NodePtr makeLiteral(Value value, int offset) { return std::make_unique<LiteralNode>(std::move(value), offset); }

NodePtr makeField(int handle, int offset) { return std::make_unique<FieldNode>(handle, offset); }

NodePtr makeUnary(UnaryOperator op, NodePtr operand, int offset) {
    return std::make_unique<UnaryNode>(op, std::move(operand), offset);
}

NodePtr makeBinary(BinaryOperator op, NodePtr left, NodePtr right, int offset) {
    if (op == BinaryOperator::And || op == BinaryOperator::Or) {
        return std::make_unique<LogicalNode>(op, std::move(left), std::move(right), offset);
    }
    return std::make_unique<BinaryNode>(op, std::move(left), std::move(right), offset);
}

std::optional<int> fieldOf(const Node& node) {
    const auto* field = dynamic_cast<const FieldNode*>(&node);
    return field ? std::optional<int>(field->handle()) : std::nullopt;
}

std::optional<std::pair<const Node*, const Node*>> additionOf(const Node& node) {
    const auto* binary = dynamic_cast<const BinaryNode*>(&node);
    if (!binary || binary->op() != BinaryOperator::Add) return std::nullopt;
    return std::pair{&binary->left(), &binary->right()};
}

}  // namespace tarvo::xbase::expression_detail
