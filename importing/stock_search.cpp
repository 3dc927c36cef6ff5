#include "importing/stock_search.h"

#include "retaildb/record_routines.h"
#include "xbase/codepage.h"
#include "xbase/text_case.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

using retaildb::VOFieldGet;
using retaildb::VOFieldLen;

// The code tags and the field each indexes.
constexpr const char* kCodeTagNames[StockSearch::kCodeTags] = {"KODE", "KODE_2", "KODE_3", "KODE_4", "KODE_5"};
constexpr const char* kCodeFields[StockSearch::kCodeTags] = {"KODE_C", "KODE_C_2", "KODE_C_3", "KODE_C_4", "KODE_C_5"};

std::string trimmedText(const xbase::Value& value) {
    const std::string& text = value.text();
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

StockSearch::StockSearch() : stock_(xbase::workAreas().find("S_STOCK")) {
    xbase::workAreas().select("S_STOCK");
    for (size_t i = 0; i < kCodeTags; ++i) codeWidths_[i] = VOFieldLen(kCodeFields[i]);
    nameWidth_ = VOFieldLen("NAMA");
    extensionWidth_ = VOFieldLen("NAMAEX1");
}

std::string StockSearch::fitted(std::string_view text, size_t width) const {
    // Through the code page and back, so that the key is what the index holds for the text
    // (a character the code page lacks is stored as "?").
    std::string bytes = stock_->encodeText(text);
    bytes.resize(width, ' ');
    return stock_->codePage().decode(bytes);
}

std::string StockSearch::upperCase(std::string_view text) const { return xbase::upperCase(text, stock_->codePage()); }

bool StockSearch::seek(const char* tag, const std::string& key) {
    xbase::workAreas().select("S_STOCK");
    return retaildb::VOSETORDER(tag) && retaildb::VOSEEK(xbase::Value(key), false);
}

bool StockSearch::findCode(size_t codeTag, std::string_view code) {
    return seek(kCodeTagNames[codeTag], fitted(upperCase(code), codeWidths_[codeTag]));
}

bool StockSearch::findName(std::string_view name, std::string_view extension) {
    const std::string key = fitted(upperCase(name), nameWidth_) + upperCase(extension);
    return seek("NAMA", fitted(key, static_cast<size_t>(nameWidth_) + extensionWidth_));
}

uint32_t StockSearch::idByCode(std::string_view code) {
    return findCode(0, code) ? found().id : 0;
}

FoundItem StockSearch::found() const {
    xbase::workAreas().select("S_STOCK");
    return FoundItem{stock_->recNo(), static_cast<uint32_t>(VOFieldGet("ID").number()), trimmedText(VOFieldGet("KODE_C")),
                     trimmedText(VOFieldGet("NAMA"))};
}

}  // namespace tarvo::importing
