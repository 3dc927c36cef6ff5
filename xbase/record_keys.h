#pragma once
// Index keys of record images: the fields of an image as key expressions read them, and character keys
// built straight from the record bytes where the key expression allows it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/expression.h"
#include "xbase/table.h"

namespace tarvo::xbase {

// Fields of one record image, as index expressions read them; a field's handle is its position less one.
class RecordImageContext final : public ExpressionContext {
public:
    RecordImageContext(const Table& table, std::string_view image, uint32_t recno)
        : table_(table), image_(image), recno_(recno) {}
    int fieldHandle(std::string_view, std::string_view name) const override { return table_.fieldPos(name) - 1; }
    Value fieldValue(int handle) const override { return table_.decodeField(image_, handle + 1); }
    uint32_t recNo() const override { return recno_; }
    bool deleted() const override { return !image_.empty() && image_[0] == '*'; }
    const CodePage& codePage() const override { return table_.codePage(); }

private:
    const Table& table_;
    std::string_view image_;
    uint32_t recno_;
};

// True when the expression is an Integer field of the table and nothing else: FoxPro keys such a tag in
// 4-byte binary form, while any expression around the field gives an ordinary numeric key.
bool integerFieldAlone(std::string_view expression, const Table& table);

// The key of an expression made of character fields, or Upper() and Lower() of them, joined with '+'.
// Such an expression changes each character on its own, so its value in the table's code page is each
// field's bytes passed through a byte table: no decoding to text, no case change on text, no encoding back.
class RecordKeyBuilder {
public:
    // nullopt for an expression of any other shape, and for tables whose records hold more than their
    // visible fields (null flags there decide whether a field has a value at all).
    static std::optional<RecordKeyBuilder> compile(std::string_view expression, const Table& table);

    // The expression's value on the record image in the table's code page, cut or blank padded to
    // keyLength: the bytes the generic evaluation gives.
    void build(std::string_view image, size_t keyLength, std::string& key) const;

private:
    // One field's bytes in the key, each replaced through its byte table.
    struct Part {
        size_t offset;
        size_t width;
        std::array<uint8_t, 256> bytes;
    };
    std::vector<Part> parts_;
};

}  // namespace tarvo::xbase
