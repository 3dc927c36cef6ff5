#include "xbase/expression.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

#include "xbase/codepage.h"

namespace tarvo::xbase {
namespace {

// A work area with a few fields of each type, and a second area under the alias STOCK.
class FakeArea : public ExpressionContext {
public:
    struct Field {
        std::string alias;
        std::string name;
        Value value;
    };

    std::vector<Field> fields = {
        {"", "NAME", Value("Müller    ")},   {"", "CODE", Value("AB12  ")},
        {"", "PRICE", Value(12.5)},           {"", "QTY", Value(3)},
        {"", "SOLD", Value(Date{2024, 7, 8})}, {"", "NODATE", Value(Date{})},
        {"", "ACTIVE", Value(true)},          {"STOCK", "CODE", Value("ZZ9")},
        {"", "STAMP", Value(DateTime{Date{2024, 7, 8}, 13 * 3600000 + 30 * 60000})},
        {"", "NOSTAMP", Value(DateTime{})},
    };
    uint32_t record = 7;
    bool isDeleted = false;

    int fieldHandle(std::string_view alias, std::string_view name) const override {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (sameName(fields[i].alias, alias) && sameName(fields[i].name, name)) return static_cast<int>(i);
        }
        return -1;
    }
    Value fieldValue(int handle) const override { return fields.at(static_cast<size_t>(handle)).value; }
    uint32_t recNo() const override { return record; }
    bool deleted() const override { return isDeleted; }
    // A Windows (ANSI) table: every Latin-1 letter has its other case there.
    const CodePage& codePage() const override { return CodePage::forLanguageDriver(0x03); }

private:
    static bool sameName(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
        }
        return true;
    }
};

// A value as "type:content", so that tables can state the expected type and value together.
std::string describe(const Value& value) {
    std::ostringstream out;
    switch (value.type()) {
        case ValueType::Nil: return "nil";
        case ValueType::Character: return "C:" + value.text();
        case ValueType::Numeric: out.precision(15); out << "N:" << value.number(); return out.str();
        case ValueType::Logical: return value.logical() ? "L:.T." : "L:.F.";
        case ValueType::Date: {
            char text[32];
            std::snprintf(text, sizeof text, "D:%04d-%02d-%02d", value.date().year, value.date().month, value.date().day);
            return text;
        }
        case ValueType::DateTime: {
            const DateTime t = value.dateTime();
            char text[48];
            std::snprintf(text, sizeof text, "T:%04d-%02d-%02d+%dms", t.date.year, t.date.month, t.date.day, t.milliseconds);
            return text;
        }
    }
    return "?";
}

std::string evaluated(std::string_view text) {
    FakeArea area;
    return describe(Expression::compile(text, area).evaluate(area));
}

std::string failure(std::string_view text) {
    FakeArea area;
    try {
        Expression::compile(text, area).evaluate(area);
    } catch (const ExpressionError& error) {
        return error.what();
    }
    return "no error";
}

struct Case {
    const char* text;
    const char* expected;
};

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(evaluated(c.text), c.expected) << c.text;
}

TEST(ExpressionTest, LiteralsAndFields) {
    expectAll({
        {"'abc'", "C:abc"}, {"\"it's\"", "C:it's"}, {"[say \"hi\"]", "C:say \"hi\""}, {"''", "C:"},
        {"12.5", "N:12.5"}, {".5", "N:0.5"}, {"007", "N:7"},
        {".t.", "L:.T."}, {".Y.", "L:.T."}, {".F.", "L:.F."}, {".n.", "L:.F."},
        {"NAME", "C:Müller    "}, {"price", "N:12.5"}, {"SOLD", "D:2024-07-08"}, {"ACTIVE", "L:.T."},
        {"stock->code", "C:ZZ9"}, {"STOCK -> CODE", "C:ZZ9"}, {"FIELD->CODE", "C:AB12  "},
    });
}

TEST(ExpressionTest, Precedence) {
    expectAll({
        {"1+2*3", "N:7"}, {"(1+2)*3", "N:9"}, {"2-3-4", "N:-5"}, {"16/4/2", "N:2"}, {"2*7%4", "N:2"},
        {"-2*3", "N:-6"}, {"- -3", "N:3"}, {"+3", "N:3"}, {"-(1+2)", "N:-3"},
        {"1+2 = 3", "L:.T."}, {"'a'+'b' = 'ab'", "L:.T."},
        {".NOT. 1 = 2", "L:.T."}, {"!1 = 2 .AND. .F.", "L:.F."}, {"1 = 1 .AND. !.F.", "L:.T."},
        {".T. .OR. .F. .AND. .F.", "L:.T."}, {"(.T. .OR. .F.) .AND. .F.", "L:.F."},
        {".F. = !.T.", "L:.T."}, {"1<2.AND.2<3", "L:.T."}, {"1 = 1 = .T.", "L:.T."},
    });
}

TEST(ExpressionTest, ArithmeticOnCharactersNumbersAndDates) {
    expectAll({
        {"'ab ' + 'cd'", "C:ab cd"}, {"'ab  ' - 'cd'", "C:abcd  "}, {"'ab' - 'cd'", "C:abcd"}, {"'  ' - 'x'", "C:x  "},
        {"PRICE * QTY", "N:37.5"}, {"7 / 2", "N:3.5"}, {"-7 % 3", "N:-1"}, {"0.1 + 0.2", "N:0.3"},
        {"SOLD + 1", "D:2024-07-09"}, {"1 + SOLD", "D:2024-07-09"}, {"SOLD - 8", "D:2024-06-30"},
        {"SOLD + 1.9", "D:2024-07-09"}, {"STOD('20241231') + 1", "D:2025-01-01"},
        {"SOLD - STOD('20231231')", "N:190"}, {"NODATE + 5", "D:0000-00-00"},
    });
}

TEST(ExpressionTest, DateTimesCountInSecondsAndConvertToDates) {
    expectAll({
        {"STAMP", "T:2024-07-08+48600000ms"}, {"STAMP + 60", "T:2024-07-08+48660000ms"},
        {"STAMP - 48600", "T:2024-07-08+0ms"}, {"STAMP + 37800", "T:2024-07-09+0ms"}, {"60 + STAMP", "T:2024-07-08+48660000ms"},
        {"STAMP - DTOT(SOLD)", "N:48600"}, {"NOSTAMP + 5", "T:0000-00-00+0ms"},
        {"TTOD(STAMP)", "D:2024-07-08"}, {"DTOT(SOLD)", "T:2024-07-08+0ms"}, {"DTOS(STAMP)", "C:20240708"},
        {"TTOC(STAMP)", "C:08/07/2024 13:30:00"}, {"EMPTY(NOSTAMP)", "L:.T."}, {"EMPTY(STAMP)", "L:.F."},
        {"STAMP > DTOT(SOLD)", "L:.T."}, {"STAMP = STAMP + 0", "L:.T."}, {"NOSTAMP < STAMP", "L:.T."},
    });
    EXPECT_NE(failure("TTOD(SOLD)").find("argument 1 must be datetime, not date"), std::string::npos);
    EXPECT_NE(failure("STAMP = SOLD").find("type mismatch, datetime = date"), std::string::npos);
}

TEST(ExpressionTest, Comparisons) {
    expectAll({
        // "=" on characters: the left side begins with the right side.
        {"'ABC' = 'AB'", "L:.T."}, {"'AB' = 'ABC'", "L:.F."}, {"'ABC' = ''", "L:.T."}, {"CODE = 'AB12'", "L:.T."},
        {"'ABC' != 'AB'", "L:.F."}, {"'ABC' <> 'X'", "L:.T."}, {"'ABC' # 'AB'", "L:.F."},
        {"'ABC' == 'AB'", "L:.F."}, {"'AB' == 'AB'", "L:.T."}, {"'AB ' == 'AB'", "L:.F."}, {"'' == ''", "L:.T."},
        // Ordering is byte-wise on unsigned bytes.
        {"'AB' < 'ABC'", "L:.T."}, {"'B' > 'ABC'", "L:.T."}, {"'AB' <= 'AB'", "L:.T."}, {"'ABC' >= 'AC'", "L:.F."},
        {"'a' > 'Z'", "L:.T."}, {"'Ü' > 'z'", "L:.T."},
        {"'BC' $ 'ABCD'", "L:.T."}, {"'X' $ 'ABC'", "L:.F."}, {"'' $ 'ABC'", "L:.F."}, {"'ABC' $ 'AB'", "L:.F."},
        {"0.1 + 0.2 == 0.3", "L:.T."}, {"0.1 + 0.2 != 0.3", "L:.F."}, {"1.0000001 > 1", "L:.T."},
        {"2 <= 1", "L:.F."}, {"-1 < 0", "L:.T."},
        {"SOLD = STOD('20240708')", "L:.T."}, {"SOLD > NODATE", "L:.T."}, {"NODATE < STOD('00010101')", "L:.T."},
        {"SOLD >= SOLD + 1", "L:.F."},
        {".F. < .T.", "L:.T."}, {".T. == .T.", "L:.T."}, {".T. # .F.", "L:.T."},
    });
}

TEST(ExpressionTest, Functions) {
    expectAll({
        {"upper('àbcÿ÷ü')", "C:ÀBCÿ÷Ü"}, {"LOWER('ÀBC×Ü1')", "C:àbc×ü1"}, {"Upper(NAME)", "C:MÜLLER    "},
        {"TRIM('  a  ')", "C:  a"}, {"RTRIM(NAME)", "C:Müller"}, {"LTRIM('  a  ')", "C:a  "},
        {"ALLTRIM('  a b  ')", "C:a b"}, {"ALLTRIM('   ')", "C:"},
        {"LEFT('Müller', 2)", "C:Mü"}, {"LEFT('ab', 5)", "C:ab"}, {"LEFT('ab', -1)", "C:"},
        {"RIGHT('Müller', 5)", "C:üller"}, {"RIGHT('ab', 9)", "C:ab"}, {"RIGHT('ab', 0)", "C:"},
        {"SUBSTR('Müller', 2, 3)", "C:üll"}, {"SUBSTR('Müller', 4)", "C:ler"}, {"SUBSTR('abc', 0, 1)", "C:a"},
        {"SUBSTR('abcde', -2)", "C:de"}, {"SUBSTR('abc', -9, 1)", "C:a"}, {"SUBSTR('abc', 5)", "C:"},
        {"SUBSTR('abc', 2, -1)", "C:"},
        {"STR(12.5, 6, 1)", "C:  12.5"}, {"STR(7, 3)", "C:  7"}, {"STR(1234, 3)", "C:***"}, {"STR(QTY)", "C:         3"},
        {"VAL('12.5abc')", "N:12.5"}, {"VAL('x')", "N:0"},
        {"DTOS(SOLD)", "C:20240708"}, {"DTOS(NODATE)", "C:        "}, {"DTOC(SOLD)", "C:08/07/2024"},
        {"CTOD('08/07/2024')", "D:2024-07-08"}, {"STOD('20240229')", "D:2024-02-29"}, {"STOD('')", "D:0000-00-00"},
        {"EMPTY(' \t\r\n')", "L:.T."}, {"EMPTY(' a')", "L:.F."}, {"EMPTY(0)", "L:.T."}, {"EMPTY(0.5)", "L:.F."},
        {"EMPTY(NODATE)", "L:.T."}, {"EMPTY(SOLD)", "L:.F."}, {"EMPTY(.F.)", "L:.T."}, {"EMPTY(ACTIVE)", "L:.F."},
        {"DELETED()", "L:.F."}, {"RECNO()", "N:7"},
        {"IIF(QTY > 2, 'many', 'few')", "C:many"}, {"IIF(.F., 1, 2)", "N:2"},
        {"LEN('Müller')", "N:6"}, {"LEN('')", "N:0"},
        {"PADR('Mü', 4)", "C:Mü  "}, {"PADL('7', 3, '0')", "C:007"}, {"PADR('a', 3, 'éx')", "C:aéé"},
        {"PADR('abcdef', 3)", "C:abc"}, {"PADL('abcdef', 3)", "C:abc"}, {"PADL('a', 0)", "C:"},
        {"DTOS(SOLD) + PADL(ALLTRIM(STR(QTY)), 4, '0')", "C:202407080003"},
    });
}

TEST(ExpressionTest, ReadsTheCurrentRecordOnEachEvaluation) {
    FakeArea area;
    Expression expression = Expression::compile("IIF(DELETED(), 'x', UPPER(NAME)) + STR(RECNO(), 3)", area);
    EXPECT_EQ(describe(expression.evaluate(area)), "C:MÜLLER      7");
    area.fields[0].value = Value("abc");
    area.record = 12;
    EXPECT_EQ(describe(expression.evaluate(area)), "C:ABC 12");
    area.isDeleted = true;
    EXPECT_EQ(describe(expression.evaluate(area)), "C:x 12");
    EXPECT_EQ(expression.text(), "IIF(DELETED(), 'x', UPPER(NAME)) + STR(RECNO(), 3)");
}

TEST(ExpressionTest, EvaluatesOnlyTheBranchesItNeeds) {
    expectAll({
        {"IIF(.T., 1, 1/0)", "N:1"}, {"IIF(.F., NAME + 1, 'x')", "C:x"},
        {".F. .AND. 1/0 = 1", "L:.F."}, {".T. .OR. NAME", "L:.T."},
    });
}

TEST(ExpressionTest, WrongExpressionsNameTheProblemAndPlace) {
    std::vector<Case> cases = {
        {"UPPER(NAME", "Expression \"UPPER(NAME\" : ')' expected at position 11"},
        {"NAME +", "Expression \"NAME +\" : expression expected at position 7"},
        {"", "Expression \"\" : expression expected at position 1"},
        {"(1", "Expression \"(1\" : ')' expected at position 3"},
        {"1 2", "Expression \"1 2\" : unexpected '2' at position 3"},
        {"1 + )", "Expression \"1 + )\" : unexpected ')' at position 5"},
        {"1 @ 2", "Expression \"1 @ 2\" : unexpected '@' at position 3"},
        {"1 = .X.", "Expression \"1 = .X.\" : unexpected '.' at position 5"},
        {"'abc", "Expression \"'abc\" : unterminated string at position 1"},
        {"2 * [a", "Expression \"2 * [a\" : unterminated string at position 5"},
        {"FOO", "Expression \"FOO\" : unknown field FOO at position 1"},
        {"1 + stock->NOPE", "Expression \"1 + stock->NOPE\" : unknown field stock->NOPE at position 5"},
        {"NOPE->CODE", "Expression \"NOPE->CODE\" : unknown field NOPE->CODE at position 1"},
        {"STOCK->", "Expression \"STOCK->\" : field name expected at position 8"},
        {"FOO(1)", "Expression \"FOO(1)\" : unknown function FOO at position 1"},
        {"x(1)", "Expression \"x(1)\" : unknown function x at position 1"},
        {"SUBSTR('a')", "Expression \"SUBSTR('a')\" : SUBSTR expects 2 to 3 arguments at position 1"},
        {"upper()", "Expression \"upper()\" : UPPER expects 1 argument at position 1"},
        {"RECNO(1)", "Expression \"RECNO(1)\" : RECNO takes no arguments at position 1"},
        {"1e5", "Expression \"1e5\" : unexpected 'e5' at position 2"},
    };
    for (const Case& c : cases) EXPECT_EQ(failure(c.text), c.expected) << c.text;

    std::string huge(400, '9');
    EXPECT_EQ(failure(huge), "Expression \"" + huge + "\" : number too large at position 1");
}

TEST(ExpressionTest, TypeErrorsAtEvaluationNameTheOperatorAndPlace) {
    std::vector<Case> cases = {
        {"NAME + 1", "Expression \"NAME + 1\" : type mismatch, character + numeric at position 6"},
        {"SOLD - 'x'", "Expression \"SOLD - 'x'\" : type mismatch, date - character at position 6"},
        {"1 * .T.", "Expression \"1 * .T.\" : type mismatch, numeric * logical at position 3"},
        {"SOLD < 1", "Expression \"SOLD < 1\" : type mismatch, date < numeric at position 6"},
        {"1 $ '1'", "Expression \"1 $ '1'\" : type mismatch, numeric $ character at position 3"},
        {".T. < .F. = 1", "Expression \".T. < .F. = 1\" : type mismatch, logical = numeric at position 11"},
        {"-NAME", "Expression \"-NAME\" : type mismatch, - character at position 1"},
        {".NOT. 1", "Expression \".NOT. 1\" : type mismatch, .NOT. numeric at position 1"},
        {"1 .AND. .T.", "Expression \"1 .AND. .T.\" : type mismatch, .AND. numeric at position 3"},
        {".F. .OR. 'x'", "Expression \".F. .OR. 'x'\" : type mismatch, .OR. character at position 5"},
        {"1 / 0", "Expression \"1 / 0\" : division by zero at position 3"},
        {"5 % (1 - 1)", "Expression \"5 % (1 - 1)\" : division by zero at position 3"},
        {"STOD('99991231') + 1", "Expression \"STOD('99991231') + 1\" : date out of range at position 18"},
        {"UPPER(1)", "Expression \"UPPER(1)\" : UPPER: argument 1 must be character, not numeric at position 1"},
        {"SUBSTR('a', 'b')", "Expression \"SUBSTR('a', 'b')\" : SUBSTR: argument 2 must be numeric, not character at position 1"},
        {"DTOS('x')", "Expression \"DTOS('x')\" : DTOS: argument 1 must be date, not character at position 1"},
        {"IIF(1, 2, 3)", "Expression \"IIF(1, 2, 3)\" : IIF: argument 1 must be logical, not numeric at position 1"},
        {"STR(1, 0)", "Expression \"STR(1, 0)\" : STR: length out of range at position 1"},
        {"PADR('a', 100000)", "Expression \"PADR('a', 100000)\" : PADR: length too large at position 1"},
    };
    for (const Case& c : cases) EXPECT_EQ(failure(c.text), c.expected) << c.text;
}

TEST(ExpressionTest, RunawayValuesStopWithAnError) {
    EXPECT_NE(failure("PADR('a', 60000) + PADR('a', 60000)").find("character value too long"), std::string::npos);
    EXPECT_NE(failure("PADR('a', 60000) - PADR('a', 60000)").find("character value too long"), std::string::npos);
    EXPECT_NE(failure("1" + std::string(300, '0') + " * 1" + std::string(300, '0')).find("numeric overflow"),
              std::string::npos);
}

TEST(ExpressionTest, NestingIsLimited) {
    auto nested = [](const std::string& open, const std::string& inner, const std::string& close, int levels) {
        std::string text;
        for (int i = 0; i < levels; ++i) text += open;
        text += inner;
        for (int i = 0; i < levels; ++i) text += close;
        return text;
    };
    auto sum = [](int terms) {
        std::string text = "1";
        for (int i = 1; i < terms; ++i) text += "+1";
        return text;
    };
    EXPECT_EQ(evaluated(nested("(", "1", ")", 150)), "N:1");
    EXPECT_EQ(evaluated(nested("UPPER(", "'a'", ")", 150)), "C:A");
    EXPECT_EQ(evaluated(sum(150)), "N:150");

    for (const std::string& deep : {nested("(", "1", ")", 100000), nested("UPPER(", "'a'", ")", 5000),
                                    nested("-", "1", "", 100000), nested("!", ".T.", "", 100000), sum(100000)}) {
        EXPECT_NE(failure(deep).find("expression nested too deeply"), std::string::npos) << deep.substr(0, 20);
    }
}

TEST(ExpressionTest, ErrorKnowsItsPosition) {
    FakeArea area;
    try {
        Expression::compile("QTY + ", area);
        FAIL() << "no error";
    } catch (const Error& error) {
        auto* expressionError = dynamic_cast<const ExpressionError*>(&error);
        ASSERT_NE(expressionError, nullptr);
        EXPECT_EQ(expressionError->position(), 7);
    }
}

}  // namespace
}  // namespace tarvo::xbase
