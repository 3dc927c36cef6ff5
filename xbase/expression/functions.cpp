// The functions of the expression language. Character values are UTF-8 and counted in
// code points, so "Ü" is one character to Len, Left, Right, SubStr, PadR and PadL.
// Trim, RTrim, LTrim and AllTrim remove spaces only. Upper and Lower change the letters the code
// page of the fields' table holds in both cases (xbase/text_case.h).

#include <array>
#include <cmath>

#include "xbase/blanks.h"
#include "xbase/dates.h"
#include "xbase/expression/nodes.h"
#include "xbase/expression/shapes.h"
#include "xbase/number_text.h"
#include "xbase/text_case.h"

namespace tarvo::xbase::expression_detail {

namespace {

constexpr size_t kMaxArguments = 3;

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where the code point at byte i ends. A lead byte takes up to three continuation bytes;
// any other byte, malformed text included, stands alone.
size_t nextCodePoint(std::string_view text, size_t i) {
    ++i;
    for (int taken = 0; taken < 3 && i < text.size() && isContinuationByte(text[i]); ++taken) ++i;
    return i;
}

// Byte offset just past the first count code points (the size when the text is shorter).
size_t offsetOfCodePoint(std::string_view text, long long count) {
    size_t i = 0;
    for (; count > 0 && i < text.size(); --count) i = nextCodePoint(text, i);
    return i;
}

long long codePointCount(std::string_view text) {
    long long count = 0;
    for (size_t i = 0; i < text.size(); i = nextCodePoint(text, i)) ++count;
    return count;
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// The evaluated arguments of one call, with accessors that check their types.
class Arguments {
public:
    Arguments(std::string_view function, int offset, const Value* values, size_t count)
        : function_(function), offset_(offset), values_(values), count_(count) {}

    size_t count() const { return count_; }
    const Value& operator[](size_t i) const { return values_[i]; }

    const std::string& text(size_t i) const {
        if (!values_[i].isCharacter()) wrongType(i, ValueType::Character);
        return values_[i].text();
    }
    double number(size_t i) const {
        if (!values_[i].isNumeric()) wrongType(i, ValueType::Numeric);
        return values_[i].number();
    }
    // A date, or the date of a date and time.
    Date date(size_t i) const {
        if (values_[i].isDateTime()) return values_[i].dateTime().date;
        if (!values_[i].isDate()) wrongType(i, ValueType::Date);
        return values_[i].date();
    }
    DateTime dateTime(size_t i) const {
        if (!values_[i].isDateTime()) wrongType(i, ValueType::DateTime);
        return values_[i].dateTime();
    }
    // A count or position: the number truncated, held within a range no text reaches.
    long long whole(size_t i) const {
        double n = std::trunc(number(i));
        if (std::isnan(n)) return 0;
        constexpr double kLimit = 1e12;
        return static_cast<long long>(std::fmax(-kLimit, std::fmin(kLimit, n)));
    }

    [[noreturn]] void fail(const std::string& problem) const {
        throw Failure{offset_, std::string(function_) + ": " + problem};
    }

private:
    [[noreturn]] void wrongType(size_t i, ValueType expected) const {
        fail("argument " + std::to_string(i + 1) + " must be " + valueTypeName(expected) + ", not " +
             valueTypeName(values_[i].type()));
    }

    std::string_view function_;
    int offset_;
    const Value* values_;
    size_t count_;
};

using Body = Value (*)(const Arguments&, const ExpressionContext&);

struct Function {
    std::string_view name;
    size_t minArguments;
    size_t maxArguments;
    Body body;  // null for IIF, whose branches are evaluated lazily
};

// Letter case as xbase::upperCase and lowerCase make it for the code page of the fields' table.
Value upper(const Arguments& a, const ExpressionContext& c) { return Value(upperCase(a.text(0), c.codePage())); }
Value lower(const Arguments& a, const ExpressionContext& c) { return Value(lowerCase(a.text(0), c.codePage())); }
Value rtrim(const Arguments& a, const ExpressionContext&) { return Value(trimmedRight(a.text(0))); }
Value ltrim(const Arguments& a, const ExpressionContext&) { return Value(trimmedLeft(a.text(0))); }
Value alltrim(const Arguments& a, const ExpressionContext&) { return Value(trimmed(a.text(0))); }

Value left(const Arguments& a, const ExpressionContext&) {
    std::string_view text = a.text(0);
    return Value(text.substr(0, offsetOfCodePoint(text, a.whole(1))));
}

Value right(const Arguments& a, const ExpressionContext&) {
    std::string_view text = a.text(0);
    long long wanted = a.whole(1);
    if (wanted <= 0) return Value("");
    long long skipped = std::max(0LL, codePointCount(text) - wanted);
    return Value(text.substr(offsetOfCodePoint(text, skipped)));
}

// SubStr(text, start[, length]): start 1 is the first character, 0 counts as 1, and a
// negative start counts back from the end.
Value substr(const Arguments& a, const ExpressionContext&) {
    std::string_view text = a.text(0);
    long long start = a.whole(1);
    long long skipped = start > 0 ? start - 1 : start == 0 ? 0 : std::max(0LL, codePointCount(text) + start);
    std::string_view rest = text.substr(offsetOfCodePoint(text, skipped));
    if (a.count() < 3) return Value(rest);
    return Value(rest.substr(0, offsetOfCodePoint(rest, a.whole(2))));
}

Value len(const Arguments& a, const ExpressionContext&) { return Value(static_cast<double>(codePointCount(a.text(0)))); }

// PadR/PadL(text, length[, fill]): a longer text keeps its first length characters.
Value pad(const Arguments& a, bool onRight) {
    std::string_view text = a.text(0);
    long long length = a.whole(1);
    std::string_view fill = a.count() > 2 ? std::string_view(a.text(2)) : std::string_view(" ");
    fill = fill.empty() ? " " : fill.substr(0, nextCodePoint(fill, 0));
    if (length <= 0) return Value("");
    if (static_cast<unsigned long long>(length) * fill.size() > kMaxTextLength) a.fail("length too large");
    long long have = codePointCount(text);
    if (have >= length) return Value(text.substr(0, offsetOfCodePoint(text, length)));
    std::string padding;
    for (long long i = have; i < length; ++i) padding.append(fill);
    return Value(onRight ? std::string(text) + padding : padding + std::string(text));
}
Value padr(const Arguments& a, const ExpressionContext&) { return pad(a, true); }
Value padl(const Arguments& a, const ExpressionContext&) { return pad(a, false); }

// Str(number[, length[, decimals]]); an omitted length or decimals takes Str's default.
Value str(const Arguments& a, const ExpressionContext&) {
    double number = a.number(0);
    long long width = a.count() > 1 ? a.whole(1) : -1;
    long long decimals = a.count() > 2 ? a.whole(2) : -1;
    if (a.count() > 1 && (width < 1 || width > static_cast<long long>(kMaxTextLength))) a.fail("length out of range");
    if (a.count() > 2 && (decimals < 0 || decimals > static_cast<long long>(kMaxTextLength))) {
        a.fail("decimals out of range");
    }
    return Value(Str(number, static_cast<int>(width), static_cast<int>(decimals)));
}

Value val(const Arguments& a, const ExpressionContext&) {
    double number = Val(a.text(0));
    if (!std::isfinite(number)) a.fail("number too large");
    return Value(number);
}

Value dtos(const Arguments& a, const ExpressionContext&) { return Value(DToS(a.date(0))); }
Value dtoc(const Arguments& a, const ExpressionContext&) { return Value(DToC(a.date(0))); }
Value ctod(const Arguments& a, const ExpressionContext&) { return Value(CToD(a.text(0))); }
Value stod(const Arguments& a, const ExpressionContext&) { return Value(SToD(a.text(0))); }
Value ttod(const Arguments& a, const ExpressionContext&) { return Value(a.dateTime(0).date); }
Value dtot(const Arguments& a, const ExpressionContext&) { return Value(DateTime{a.date(0), 0}); }
Value ttoc(const Arguments& a, const ExpressionContext&) { return Value(TToC(a.dateTime(0))); }

Value empty(const Arguments& a, const ExpressionContext&) {
    const Value& value = a[0];
    switch (value.type()) {
        case ValueType::Character: return Value(isBlank(value.text()));
        case ValueType::Numeric: return Value(value.number() == 0);
        case ValueType::Date: return Value(value.date().empty());
        case ValueType::Logical: return Value(!value.logical());
        case ValueType::DateTime: return Value(value.dateTime().empty());
        case ValueType::Nil: return Value(true);
    }
    return Value(true);
}

Value deleted(const Arguments&, const ExpressionContext& context) { return Value(context.deleted()); }
Value recno(const Arguments&, const ExpressionContext& context) { return Value(static_cast<double>(context.recNo())); }

constexpr Function kFunctions[] = {
    {"UPPER", 1, 1, upper},    {"LOWER", 1, 1, lower},     {"TRIM", 1, 1, rtrim},     {"RTRIM", 1, 1, rtrim},
    {"LTRIM", 1, 1, ltrim},    {"ALLTRIM", 1, 1, alltrim}, {"LEFT", 2, 2, left},      {"RIGHT", 2, 2, right},
    {"SUBSTR", 2, 3, substr},  {"STR", 1, 3, str},         {"VAL", 1, 1, val},        {"DTOS", 1, 1, dtos},
    {"DTOC", 1, 1, dtoc},      {"CTOD", 1, 1, ctod},       {"STOD", 1, 1, stod},      {"EMPTY", 1, 1, empty},
    {"DELETED", 0, 0, deleted}, {"RECNO", 0, 0, recno},    {"IIF", 3, 3, nullptr},    {"LEN", 1, 1, len},
    {"PADR", 2, 3, padr},      {"PADL", 2, 3, padl},       {"TTOD", 1, 1, ttod},      {"DTOT", 1, 1, dtot},
    {"TTOC", 1, 1, ttoc},
};

const Function* findFunction(std::string_view name) {
    for (const Function& function : kFunctions) {
        if (equalsIgnoreCase(name, function.name)) return &function;
    }
    return nullptr;
}

int tallest(const std::vector<NodePtr>& nodes) {
    int height = 0;
    for (const NodePtr& node : nodes) height = std::max(height, node->height());
    return height;
}

class CallNode : public Node {
public:
    CallNode(const Function& function, std::vector<NodePtr> arguments, int offset)
        : Node(offset, heightAbove(tallest(arguments), offset)), function_(function), arguments_(std::move(arguments)) {}

    Value evaluate(const ExpressionContext& context) const override {
        std::array<Value, kMaxArguments> values;
        for (size_t i = 0; i < arguments_.size(); ++i) values[i] = arguments_[i]->evaluate(context);
        return function_.body(Arguments(function_.name, offset(), values.data(), arguments_.size()), context);
    }

    const Function& function() const { return function_; }
    const Node& argument(size_t i) const { return *arguments_[i]; }

private:
    const Function& function_;
    std::vector<NodePtr> arguments_;
};

// IIF(condition, whenTrue, whenFalse) evaluates only the branch the condition picks.
class IIfNode : public Node {
public:
    IIfNode(std::vector<NodePtr> arguments, int offset)
        : Node(offset, heightAbove(tallest(arguments), offset)), arguments_(std::move(arguments)) {}

    Value evaluate(const ExpressionContext& context) const override {
        Value condition = arguments_[0]->evaluate(context);
        if (!condition.isLogical()) {
            throw Failure{offset(), std::string("IIF: argument 1 must be logical, not ") + valueTypeName(condition.type())};
        }
        return arguments_[condition.logical() ? 1 : 2]->evaluate(context);
    }

private:
    std::vector<NodePtr> arguments_;
};

std::string argumentCountProblem(const Function& function) {
    std::string name(function.name);
    if (function.maxArguments == 0) return name + " takes no arguments";
    std::string count = std::to_string(function.minArguments);
    if (function.maxArguments != function.minArguments) count += " to " + std::to_string(function.maxArguments);
    return name + " expects " + count + (function.maxArguments == 1 ? " argument" : " arguments");
}

}  // namespace

NodePtr makeCall(std::string_view name, std::vector<NodePtr> arguments, int offset) {
    const Function* function = findFunction(name);
    if (function == nullptr) throw Failure{offset, "unknown function " + std::string(name)};
    if (arguments.size() < function->minArguments || arguments.size() > function->maxArguments) {
        throw Failure{offset, argumentCountProblem(*function)};
    }
    if (function->body == nullptr) return std::make_unique<IIfNode>(std::move(arguments), offset);
    return std::make_unique<CallNode>(*function, std::move(arguments), offset);
}

std::optional<CharacterCall> characterCallOf(const Node& node) {
    const auto* call = dynamic_cast<const CallNode*>(&node);
    if (!call) return std::nullopt;
    const Body body = call->function().body;
    if (body == upper) return CharacterCall{upperCase, &call->argument(0)};
    if (body == lower) return CharacterCall{lowerCase, &call->argument(0)};
    return std::nullopt;
}

}  // namespace tarvo::xbase::expression_detail
