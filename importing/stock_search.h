#pragma once
// Looking items up in the working tags of S_STOCK: KODE, KODE_2 ... KODE_5 (the upper-cased
// codes KODE_C ... KODE_C_5) and NAMA (upper-cased NAMA followed by upper-cased NAMAEX1). A key
// is the text in upper case, cut or padded with blanks to the width of the indexed fields, so
// that only an equal key is found.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "xbase/table.h"

namespace tarvo::importing {

// What a search found: the item's record number, ID, KODE_C and NAMA (both trimmed).
struct FoundItem {
    uint32_t recno = 0;
    uint32_t id = 0;
    std::string code;
    std::string name;
};

class StockSearch {
public:
    // S_STOCK must be open; the widths of the indexed fields are taken once (VOFieldLen).
    StockSearch();

    // The code tags KODE, KODE_2 ... KODE_5, numbered from 0 in this order.
    static constexpr size_t kCodeTags = 5;

    // Each search makes S_STOCK the current work area and its tag the controlling order.
    bool findCode(size_t codeTag, std::string_view code);
    bool findName(std::string_view name, std::string_view extension);
    // The ID of the item whose first code is the code, 0 when there is none.
    uint32_t idByCode(std::string_view code);
    // The item a successful search stands on.
    FoundItem found() const;

private:
    bool seek(const char* tag, const std::string& key);
    // Upper case as the tags' Upper() makes it for the table's code page.
    std::string upperCase(std::string_view text) const;
    // The text in the table's code page, cut or padded with blanks to width characters.
    std::string fitted(std::string_view text, size_t width) const;

    xbase::Table* stock_;
    std::array<uint16_t, kCodeTags> codeWidths_{};
    uint16_t nameWidth_ = 0;
    uint16_t extensionWidth_ = 0;
};

}  // namespace tarvo::importing
