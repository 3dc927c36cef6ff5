#pragma once
// The xBase expression language of index keys and record filters: compiled once against
// the fields of a work area, then evaluated for each record.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "xbase/error.h"
#include "xbase/value.h"

namespace tarvo::xbase {

class CodePage;

// What an expression reads: the fields of a work area, its record number and deleted flag.
class ExpressionContext {
public:
    virtual ~ExpressionContext() = default;
    // Resolves a field once, at compile time: alias is empty for the current area, and both
    // names come as the expression spells them, to be matched ignoring case.
    // Returns a handle >= 0, or -1 when there is no such field.
    virtual int fieldHandle(std::string_view alias, std::string_view name) const = 0;
    virtual Value fieldValue(int handle) const = 0;
    virtual uint32_t recNo() const = 0;
    virtual bool deleted() const = 0;
    // The code page of the fields' table: it decides which letters Upper() and Lower() change.
    virtual const CodePage& codePage() const = 0;
};

// A wrong expression, or a value of the wrong type met while evaluating one. The message
// quotes the expression and the 1-based position: Expression "UPPER(NAME" : ')' expected at position 11
class ExpressionError : public Error {
public:
    ExpressionError(std::string_view expression, int position, std::string_view problem);
    int position() const { return position_; }

private:
    int position_;
};

namespace expression_detail {
class Node;
}

class Expression {
public:
    // Parses text and resolves its fields and functions; throws ExpressionError.
    static Expression compile(std::string_view text, const ExpressionContext& context);

    // The value for the context's current record; throws ExpressionError on a type mismatch.
    // Copies share the compiled tree, which is never modified: evaluating from several
    // threads at once is safe when the contexts are.
    Value evaluate(const ExpressionContext& context) const;

    const std::string& text() const { return text_; }

private:
    Expression(std::string text, std::shared_ptr<const expression_detail::Node> root);

    std::string text_;
    std::shared_ptr<const expression_detail::Node> root_;
};

}  // namespace tarvo::xbase
