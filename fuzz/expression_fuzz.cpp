// Compiles arbitrary text as an expression over a few fields and evaluates it: every
// outcome must be a value or an xbase::Error, never a crash or a hang.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "xbase/codepage.h"
#include "xbase/expression.h"

namespace {

using namespace tarvo::xbase;

class FuzzArea : public ExpressionContext {
public:
    int fieldHandle(std::string_view alias, std::string_view name) const override {
        if (!alias.empty() && alias != "B") return -1;
        static constexpr std::string_view kNames[] = {"C", "N", "D", "L", "E"};
        for (int i = 0; i < 5; ++i) {
            if (name == kNames[i]) return i;
        }
        return -1;
    }
    Value fieldValue(int handle) const override {
        switch (handle) {
            case 0: return Value("Grüße  ");
            case 1: return Value(-12.75);
            case 2: return Value(Date{2024, 2, 29});
            case 3: return Value(true);
            default: return Value(Date{});
        }
    }
    uint32_t recNo() const override { return 42; }
    bool deleted() const override { return false; }
    const CodePage& codePage() const override { return CodePage::oem(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzArea area;
    try {
        Expression expression = Expression::compile(std::string_view(reinterpret_cast<const char*>(data), size), area);
        expression.evaluate(area);
    } catch (const Error&) {
    }
    return 0;
}
