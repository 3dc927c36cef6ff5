#pragma once
// The column catalogue of the eighteen template files: for each file the page that describes it
// (title, list colours) and, row by row, the columns a user may put in it. It is the one source
// of the information pages, of "Create" (which writes empty templates from the rows) and of the
// command line's listing. Texts are shown to the user exactly as they stand here.

#include <string>
#include <string_view>
#include <vector>

namespace tarvo::templatetools {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb&) const = default;
};

// One column of a template as its page describes it.
struct CatalogueRow {
    std::string field;         // column name, upper case
    char type = 'C';           // 'C' character, 'N' numeric, 'D' date (length 8)
    int length = 0;
    int decimals = 0;
    bool mandatory = false;    // always written by "Create"; shown as "*"
    std::string defaultValue;  // what the import fills in when the column is missing; empty: none
    std::string description;

    // The texts of the page's list: "*" or a single blank, and the default or a single blank.
    std::string mandatoryMark() const { return mandatory ? "*" : " "; }
    std::string shownDefault() const { return defaultValue.empty() ? " " : defaultValue; }
};

// One template file's page.
struct CataloguePage {
    std::string fileName;      // upper case, for example "GRPSTK.DBF"
    std::string pageClass;     // "WINIMPORTINFO1" ... "WINIMPORTINFO14", "WINIMPORTINFO4A", ...
    std::string tabCaption;    // "GrpStk.dbf"
    std::string title;         // the page's title line
    Rgb background;            // the list's background
    Rgb textBackground;        // the background behind the list's texts
    std::vector<CatalogueRow> rows;  // in the order the page lists them

    // The template's name: the file name without ".DBF" ("GRPSTK").
    std::string templateName() const;
};

// The eighteen pages in tab order: GRPSTK, GRPST2, GRPST3, ITEM, ITMINF, ITMNAM, VENDOR, DAERAH,
// DAERA2, SALES, GRPPEL, GRPPE2, PELANG, PELEXT, PEMBEL, PENJUA, GRPHJL, STKHJL.
const std::vector<CataloguePage>& catalogue();

// The page of a template file, named with or without ".DBF" in any case ("item", "Item.dbf");
// nullptr when there is none.
const CataloguePage* findCataloguePage(std::string_view fileName);

// The row of a column on a page, the name matched ignoring case; nullptr when there is none.
const CatalogueRow* findCatalogueRow(const CataloguePage& page, std::string_view field);

}  // namespace tarvo::templatetools
