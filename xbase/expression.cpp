#include "xbase/expression.h"

#include "xbase/expression/nodes.h"

namespace tarvo::xbase {

using expression_detail::Failure;

ExpressionError::ExpressionError(std::string_view expression, int position, std::string_view problem)
    : Error("Expression \"" + std::string(expression) + "\" : " + std::string(problem) + " at position " +
            std::to_string(position)),
      position_(position) {}

Expression::Expression(std::string text, std::shared_ptr<const expression_detail::Node> root)
    : text_(std::move(text)), root_(std::move(root)) {}

Expression Expression::compile(std::string_view text, const ExpressionContext& context) {
    try {
        return Expression(std::string(text), expression_detail::parse(text, context));
    } catch (const Failure& failure) {
        throw ExpressionError(text, failure.offset + 1, failure.problem);
    }
}

Value Expression::evaluate(const ExpressionContext& context) const {
    try {
        return root_->evaluate(context);
    } catch (const Failure& failure) {
        throw ExpressionError(text_, failure.offset + 1, failure.problem);
    }
}

}  // namespace tarvo::xbase
