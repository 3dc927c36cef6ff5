#pragma once
// A shop's own spreadsheet matched to the template columns: which row holds the column names,
// which template a sheet fills, and which template column each sheet column goes to. A header is
// matched to a column by its field name, then by the headers shops commonly use and the words of
// the catalogue's description, then by similarity of the normalised texts; a column nothing fits
// stays unmatched.

#include <string>
#include <string_view>
#include <vector>

#include "sheets/sheet_rows.h"
#include "templatetools/column_catalogue.h"

namespace tarvo::templatetools {

enum class MatchKind {
    None,         // nothing fits: the column is passed over
    FieldName,    // the header is the field's name
    KnownHeader,  // a header shops commonly use for the field
    Description,  // the catalogue's description of the field
    Similar,      // a similar text
};

struct ColumnMatch {
    int column = 0;      // 0-based column of the sheet
    std::string header;  // the header's text
    std::string field;   // the proposed template column; empty when none fits
    MatchKind kind = MatchKind::None;
};

struct SheetProposal {
    std::string sheet;
    const CataloguePage* page = nullptr;  // the template the sheet fills; nullptr: none
    long headerRow = 0;                   // 0 when the sheet has no row with a value
    std::vector<ColumnMatch> columns;     // every header cell with text, in sheet order
};

// Lower case, runs of anything but letters and digits as one blank, letters and digits apart
// ("H_JUAL1" and "Harga Jual ke-1" become "h jual 1" and "harga jual 1").
std::string normalisedHeader(std::string_view text);

// The row of the column names among the first rows of a sheet: the first in which at least two
// texts, and more than half of the row's cells, look like column names; otherwise the first row
// with a value. 0 when no row has one.
long findHeaderRow(const std::vector<sheets::Row>& firstRows);

// One template column per header cell with text, each template column given at most once, the
// best-fitting pairs first.
std::vector<ColumnMatch> matchColumns(const sheets::Row& header, const CataloguePage& page);

// The template a sheet fills: the one its name names ("ITEM", "Item.dbf"); otherwise the one
// most of its header texts match (two at least); otherwise one its name's words suggest
// ("Daftar Pelanggan"). nullptr when none.
const CataloguePage* proposeTemplate(const std::string& sheetName, const sheets::Row& header);

// The whole proposal of a sheet from its first rows.
SheetProposal proposeSheet(const std::string& sheetName, const std::vector<sheets::Row>& firstRows);

}  // namespace tarvo::templatetools
