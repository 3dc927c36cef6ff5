// Tokenizer and recursive-descent parser of the expression language. Precedence, loosest
// first: .OR., .AND., .NOT./!, relational (= == != <> # < <= > >= $), + -, * / %, unary + -.

#include <charconv>
#include <cmath>
#include <optional>

#include "xbase/expression/nodes.h"
#include "xbase/file_names.h"

namespace tarvo::xbase::expression_detail {

namespace {

enum class TokenKind { End, Literal, Identifier, Operator, LeftParen, RightParen, Comma, Arrow };

enum class Symbol {
    Plus, Minus, Star, Slash, Percent,
    Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual, Dollar,
    Not, And, Or,
};

struct Token {
    TokenKind kind = TokenKind::End;
    int offset = 0;
    std::string_view spelling;  // the token's characters in the text
    Symbol symbol{};            // of an Operator
    Value literal;              // of a Literal
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }


class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) { advance(); }

    const Token& current() const { return token_; }

    void advance() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
        token_ = Token{};
        token_.offset = static_cast<int>(pos_);
        if (pos_ == text_.size()) return;
        char c = text_[pos_];
        char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        if (isDigit(c) || (c == '.' && isDigit(next))) return readNumber();
        if (c == '"' || c == '\'' || c == '[') return readText(c == '[' ? ']' : c);
        if (isLetter(c)) return readIdentifier();
        if (c == '.') return readDotted();
        readPunctuation(c, next);
    }

private:
    void finish(TokenKind kind, size_t length) {
        token_.kind = kind;
        token_.spelling = text_.substr(pos_, length);
        pos_ += length;
    }

    void readNumber() {
        size_t end = pos_;
        while (end < text_.size() && isDigit(text_[end])) ++end;
        if (end + 1 < text_.size() && text_[end] == '.' && isDigit(text_[end + 1])) {
            ++end;
            while (end < text_.size() && isDigit(text_[end])) ++end;
        }
        double number = 0;
        auto [ptr, error] = std::from_chars(text_.data() + pos_, text_.data() + end, number);
        if (error != std::errc() || !std::isfinite(number)) throw Failure{token_.offset, "number too large"};
        token_.literal = Value(number);
        finish(TokenKind::Literal, end - pos_);
    }

    void readText(char closing) {
        size_t close = text_.find(closing, pos_ + 1);
        if (close == std::string_view::npos) throw Failure{token_.offset, "unterminated string"};
        token_.literal = Value(text_.substr(pos_ + 1, close - pos_ - 1));
        finish(TokenKind::Literal, close + 1 - pos_);
    }

    void readIdentifier() {
        size_t end = pos_;
        while (end < text_.size() && (isLetter(text_[end]) || isDigit(text_[end]))) ++end;
        finish(TokenKind::Identifier, end - pos_);
    }

    // .T. .F. .Y. .N. .AND. .OR. .NOT.
    void readDotted() {
        size_t end = pos_ + 1;
        while (end < text_.size() && isLetter(text_[end])) ++end;
        if (end < text_.size() && text_[end] == '.') {
            std::string_view word = text_.substr(pos_ + 1, end - pos_ - 1);
            size_t length = end + 1 - pos_;
            if (equalsIgnoreCase(word, "T") || equalsIgnoreCase(word, "Y")) {
                token_.literal = Value(true);
                return finish(TokenKind::Literal, length);
            }
            if (equalsIgnoreCase(word, "F") || equalsIgnoreCase(word, "N")) {
                token_.literal = Value(false);
                return finish(TokenKind::Literal, length);
            }
            if (equalsIgnoreCase(word, "AND")) return finishOperator(Symbol::And, length);
            if (equalsIgnoreCase(word, "OR")) return finishOperator(Symbol::Or, length);
            if (equalsIgnoreCase(word, "NOT")) return finishOperator(Symbol::Not, length);
        }
        throw Failure{token_.offset, "unexpected '.'"};
    }

    void finishOperator(Symbol symbol, size_t length) {
        token_.symbol = symbol;
        finish(TokenKind::Operator, length);
    }

    void readPunctuation(char c, char next) {
        switch (c) {
            case '(': return finish(TokenKind::LeftParen, 1);
            case ')': return finish(TokenKind::RightParen, 1);
            case ',': return finish(TokenKind::Comma, 1);
            case '+': return finishOperator(Symbol::Plus, 1);
            case '-':
                if (next == '>') return finish(TokenKind::Arrow, 2);
                return finishOperator(Symbol::Minus, 1);
            case '*': return finishOperator(Symbol::Star, 1);
            case '/': return finishOperator(Symbol::Slash, 1);
            case '%': return finishOperator(Symbol::Percent, 1);
            case '$': return finishOperator(Symbol::Dollar, 1);
            case '#': return finishOperator(Symbol::NotEqual, 1);
            case '=':
                if (next == '=') return finishOperator(Symbol::ExactEqual, 2);
                return finishOperator(Symbol::Equal, 1);
            case '!':
                if (next == '=') return finishOperator(Symbol::NotEqual, 2);
                return finishOperator(Symbol::Not, 1);
            case '<':
                if (next == '>') return finishOperator(Symbol::NotEqual, 2);
                if (next == '=') return finishOperator(Symbol::LessEqual, 2);
                return finishOperator(Symbol::Less, 1);
            case '>':
                if (next == '=') return finishOperator(Symbol::GreaterEqual, 2);
                return finishOperator(Symbol::Greater, 1);
        }
        bool printable = c > ' ' && c < 127;
        throw Failure{token_.offset, printable ? "unexpected '" + std::string(1, c) + "'" : "unexpected character"};
    }

    std::string_view text_;
    size_t pos_ = 0;
    Token token_;
};

class Parser {
public:
    Parser(std::string_view text, const ExpressionContext& context) : lexer_(text), context_(context) {}

    NodePtr parseAll() {
        NodePtr root = parseExpression();
        if (lexer_.current().kind != TokenKind::End) unexpected();
        return root;
    }

private:
    // Counts the nesting of sub-expressions and prefix operators, which recurse in the parser.
    class DepthGuard {
    public:
        explicit DepthGuard(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > kMaxDepth) throw Failure{parser_.lexer_.current().offset, "expression nested too deeply"};
        }
        ~DepthGuard() { --parser_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Parser& parser_;
    };

    const Token& current() const { return lexer_.current(); }

    bool atOperator(Symbol symbol) const {
        return current().kind == TokenKind::Operator && current().symbol == symbol;
    }

    [[noreturn]] void unexpected() const {
        if (current().kind == TokenKind::End) throw Failure{current().offset, "expression expected"};
        throw Failure{current().offset, "unexpected '" + std::string(current().spelling) + "'"};
    }

    void expectRightParen() {
        if (current().kind != TokenKind::RightParen) throw Failure{current().offset, "')' expected"};
        lexer_.advance();
    }

    NodePtr parseExpression() {
        DepthGuard guard(*this);
        return parseOr();
    }

    NodePtr parseOr() {
        NodePtr left = parseAnd();
        while (atOperator(Symbol::Or)) {
            int offset = current().offset;
            lexer_.advance();
            left = makeBinary(BinaryOperator::Or, std::move(left), parseAnd(), offset);
        }
        return left;
    }

    NodePtr parseAnd() {
        NodePtr left = parseRelational();
        while (atOperator(Symbol::And)) {
            int offset = current().offset;
            lexer_.advance();
            left = makeBinary(BinaryOperator::And, std::move(left), parseRelational(), offset);
        }
        return left;
    }

    static std::optional<BinaryOperator> relational(const Token& token) {
        if (token.kind != TokenKind::Operator) return std::nullopt;
        switch (token.symbol) {
            case Symbol::Equal: return BinaryOperator::Equal;
            case Symbol::ExactEqual: return BinaryOperator::ExactEqual;
            case Symbol::NotEqual: return BinaryOperator::NotEqual;
            case Symbol::Less: return BinaryOperator::Less;
            case Symbol::LessEqual: return BinaryOperator::LessEqual;
            case Symbol::Greater: return BinaryOperator::Greater;
            case Symbol::GreaterEqual: return BinaryOperator::GreaterEqual;
            case Symbol::Dollar: return BinaryOperator::Contains;
            default: return std::nullopt;
        }
    }

    NodePtr parseRelational() {
        NodePtr left = parseAdditive();
        while (std::optional<BinaryOperator> op = relational(current())) {
            int offset = current().offset;
            lexer_.advance();
            left = makeBinary(*op, std::move(left), parseAdditive(), offset);
        }
        return left;
    }

    NodePtr parseAdditive() {
        NodePtr left = parseMultiplicative();
        while (atOperator(Symbol::Plus) || atOperator(Symbol::Minus)) {
            BinaryOperator op = atOperator(Symbol::Plus) ? BinaryOperator::Add : BinaryOperator::Subtract;
            int offset = current().offset;
            lexer_.advance();
            left = makeBinary(op, std::move(left), parseMultiplicative(), offset);
        }
        return left;
    }

    NodePtr parseMultiplicative() {
        NodePtr left = parseUnary();
        while (atOperator(Symbol::Star) || atOperator(Symbol::Slash) || atOperator(Symbol::Percent)) {
            BinaryOperator op = atOperator(Symbol::Star)    ? BinaryOperator::Multiply
                                : atOperator(Symbol::Slash) ? BinaryOperator::Divide
                                                            : BinaryOperator::Modulo;
            int offset = current().offset;
            lexer_.advance();
            left = makeBinary(op, std::move(left), parseUnary(), offset);
        }
        return left;
    }

    // Prefix operators. A negation takes a whole relational expression ("!A = B" is
    // "!(A = B)"); it may also stand after a relational operator ("A = !B").
    NodePtr parseUnary() {
        if (atOperator(Symbol::Not)) {
            int offset = current().offset;
            DepthGuard guard(*this);
            lexer_.advance();
            return makeUnary(UnaryOperator::Not, parseRelational(), offset);
        }
        if (atOperator(Symbol::Minus) || atOperator(Symbol::Plus)) {
            UnaryOperator op = atOperator(Symbol::Minus) ? UnaryOperator::Minus : UnaryOperator::Plus;
            int offset = current().offset;
            DepthGuard guard(*this);
            lexer_.advance();
            return makeUnary(op, parseUnary(), offset);
        }
        return parsePrimary();
    }

    NodePtr parsePrimary() {
        const Token& token = current();
        int offset = token.offset;
        switch (token.kind) {
            case TokenKind::Literal: {
                NodePtr literal = makeLiteral(token.literal, offset);
                lexer_.advance();
                return literal;
            }
            case TokenKind::LeftParen: {
                lexer_.advance();
                NodePtr inner = parseExpression();
                expectRightParen();
                return inner;
            }
            case TokenKind::Identifier: {
                std::string_view name = token.spelling;
                lexer_.advance();
                if (current().kind == TokenKind::LeftParen) return parseCall(name, offset);
                if (current().kind == TokenKind::Arrow) return parseAliasedField(name, offset);
                return resolveField({}, name, offset, name);
            }
            default:
                unexpected();
        }
    }

    NodePtr parseCall(std::string_view name, int offset) {
        lexer_.advance();
        std::vector<NodePtr> arguments;
        if (current().kind != TokenKind::RightParen) {
            arguments.push_back(parseExpression());
            while (current().kind == TokenKind::Comma) {
                lexer_.advance();
                arguments.push_back(parseExpression());
            }
        }
        expectRightParen();
        return makeCall(name, std::move(arguments), offset);
    }

    // alias->field; FIELD->name names a field of the current area.
    NodePtr parseAliasedField(std::string_view alias, int offset) {
        lexer_.advance();
        if (current().kind != TokenKind::Identifier) throw Failure{current().offset, "field name expected"};
        std::string_view name = current().spelling;
        std::string_view spelled(alias.data(), static_cast<size_t>(name.data() + name.size() - alias.data()));
        lexer_.advance();
        return resolveField(equalsIgnoreCase(alias, "FIELD") ? std::string_view{} : alias, name, offset, spelled);
    }

    NodePtr resolveField(std::string_view alias, std::string_view name, int offset, std::string_view spelled) {
        int handle = context_.fieldHandle(alias, name);
        if (handle < 0) throw Failure{offset, "unknown field " + std::string(spelled)};
        return makeField(handle, offset);
    }

    Lexer lexer_;
    const ExpressionContext& context_;
    int depth_ = 0;
};

}  // namespace

NodePtr parse(std::string_view text, const ExpressionContext& context) {
    return Parser(text, context).parseAll();
}

}  // namespace tarvo::xbase::expression_detail
