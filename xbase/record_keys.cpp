#include "xbase/record_keys.h"

#include <algorithm>

#include "xbase/codepage.h"
#include "xbase/expression/shapes.h"

namespace tarvo::xbase {

namespace {

using namespace expression_detail;

// Bytes one character may take in UTF-8.
constexpr size_t kMaxCharacterBytes = 4;

// A field as the key reads it, with the character functions around it, outermost first.
struct Term {
    int handle;
    std::vector<CharacterMap> maps;
};

// Flattens a concatenation of fields and character functions of them into its fields, left to right; a
// function around a concatenation applies to each of its fields. False for any other shape.
bool collectTerms(const Node& node, std::vector<CharacterMap>& around, std::vector<Term>& terms) {
    if (std::optional<int> field = fieldOf(node)) {
        terms.push_back({*field, around});
        return true;
    }
    if (std::optional<CharacterCall> call = characterCallOf(node)) {
        around.push_back(call->map);
        bool collected = collectTerms(*call->argument, around, terms);
        around.pop_back();
        return collected;
    }
    if (auto operands = additionOf(node))
        return collectTerms(*operands->first, around, terms) && collectTerms(*operands->second, around, terms);
    return false;
}

// The record holds its visible fields and nothing else after the deletion flag.
bool onlyVisibleFields(const Table& table) {
    size_t total = 1;
    for (int pos = 1; pos <= table.fieldCount(); ++pos) total += static_cast<size_t>(table.field(pos).length);
    return total == table.recordLength();
}

}  // namespace

bool integerFieldAlone(std::string_view expression, const Table& table) {
    const std::string blank(table.recordLength(), ' ');
    try {
        RecordImageContext context(table, blank, 0);
        const std::optional<int> field = fieldOf(*parse(expression, context));
        return field && table.field(*field + 1).type == 'I';
    } catch (const Failure&) {
        return false;
    }
}

std::optional<RecordKeyBuilder> RecordKeyBuilder::compile(std::string_view expression, const Table& table) {
    if (!onlyVisibleFields(table)) return std::nullopt;
    const std::string blank(table.recordLength(), ' ');
    std::vector<Term> terms;
    try {
        RecordImageContext context(table, blank, 0);
        std::vector<CharacterMap> around;
        if (!collectTerms(*parse(expression, context), around, terms)) return std::nullopt;
    } catch (const Failure&) {
        return std::nullopt;
    }

    const CodePage& codePage = CodePage::forLanguageDriver(table.languageDriver());
    if (codePage.doubleByte()) return std::nullopt;  // keys of two-byte characters are left to the evaluator
    RecordKeyBuilder builder;
    size_t width = 0;
    for (const Term& term : terms) {
        const int pos = term.handle + 1;
        if (table.field(pos).type != 'C') return std::nullopt;
        const std::string_view bytes = table.fieldBytes(blank, pos);
        Part part{static_cast<size_t>(bytes.data() - blank.data()), bytes.size(), {}};
        // Each byte's character through the functions, innermost first, and back into the code page.
        for (int b = 0; b < 256; ++b) {
            const char byte = b == 0 ? ' ' : static_cast<char>(b);  // NUL padding reads as a blank
            std::string text = codePage.decode(std::string_view(&byte, 1));
            for (auto map = term.maps.rbegin(); map != term.maps.rend(); ++map) text = (*map)(text, codePage);
            const std::string encoded = codePage.encode(text);
            if (encoded.size() != 1) return std::nullopt;
            part.bytes[b] = static_cast<uint8_t>(encoded[0]);
        }
        width += part.width;
        builder.parts_.push_back(part);
    }
    // A concatenation whose text could outgrow the longest value fails when evaluated: left to the evaluator.
    if (terms.size() > 1 && width * kMaxCharacterBytes > kMaxTextLength) return std::nullopt;
    return builder;
}

void RecordKeyBuilder::build(std::string_view image, size_t keyLength, std::string& key) const {
    key.assign(keyLength, ' ');
    size_t at = 0;
    for (const Part& part : parts_) {
        const size_t take = std::min(part.width, keyLength - at);
        const auto* from = reinterpret_cast<const uint8_t*>(image.data() + part.offset);
        for (size_t i = 0; i < take; ++i) key[at + i] = static_cast<char>(part.bytes[from[i]]);
        at += take;
    }
}

}  // namespace tarvo::xbase
