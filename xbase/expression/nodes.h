#pragma once
// Internal to the expression compiler: the nodes of a compiled expression and their builders.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/expression.h"

namespace tarvo::xbase::expression_detail {

// Deepest nesting an expression may have, in parentheses, calls and operators alike.
inline constexpr int kMaxDepth = 200;
// Longest character value an expression may build, in bytes.
inline constexpr size_t kMaxTextLength = 65535;

// A problem at a 0-based offset of the expression text; Expression turns it into an ExpressionError.
struct Failure {
    int offset;
    std::string problem;
};

class Node {
public:
    Node(int offset, int height) : offset_(offset), height_(height) {}
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Throws Failure on a type mismatch.
    virtual Value evaluate(const ExpressionContext& context) const = 0;

    // Where the node's token starts in the text, for messages.
    int offset() const { return offset_; }
    // Levels of nodes from this one down to the deepest leaf.
    int height() const { return height_; }

private:
    int offset_;
    int height_;
};

using NodePtr = std::unique_ptr<const Node>;

enum class UnaryOperator { Minus, Plus, Not };

enum class BinaryOperator {
    Add, Subtract, Multiply, Divide, Modulo,
    Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual, Contains,
    And, Or,
};

// The builders throw Failure when the result would nest deeper than kMaxDepth.
NodePtr makeLiteral(Value value, int offset);
NodePtr makeField(int handle, int offset);
NodePtr makeUnary(UnaryOperator op, NodePtr operand, int offset);
NodePtr makeBinary(BinaryOperator op, NodePtr left, NodePtr right, int offset);
// A function call by name (any case); throws Failure for an unknown name or a wrong number of arguments.
NodePtr makeCall(std::string_view name, std::vector<NodePtr> arguments, int offset);

// The height of a node whose tallest child has the given height; throws Failure past kMaxDepth.
int heightAbove(int tallestChild, int offset);

// The whole text as one expression; throws Failure.
NodePtr parse(std::string_view text, const ExpressionContext& context);

}  // namespace tarvo::xbase::expression_detail
