#pragma once
// The engine of the template editor: one template file open shared for editing, its records in
// physical order (deleted ones shown, marked), an optional filter, and the editor's commands —
// add, delete/recall, recall all, zap, pack, filter and the paste of one column from text. The
// desktop program shows it in a grid; nothing here knows of Qt.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "templatetools/column_catalogue.h"
#include "ui/user_interaction.h"
#include "xbase/expression.h"
#include "xbase/table.h"

namespace tarvo::templatetools {

// One tab of the editor.
struct EditorPage {
    std::string fileName;    // "GRPSTK.DBF"
    std::string pageClass;   // "WINIMPORTEDIT1"
    std::string tabCaption;  // "GrpStk.dbf"
    Rgb grid;                // the grid's background
};
// The eighteen tabs in order; a tab appears only when its file exists.
const std::vector<EditorPage>& editorPages();

// A value of the clipboard's text converted for a field of the given type ('C', 'N', 'D', 'L'):
// text unchanged, a number read as xBase's VAL reads it, a date from YYYYMMDD (empty or invalid
// text: the empty date), a logical TRUE when the number of its first character is above 0.
xbase::Value pastedValue(char type, const std::string& line);

// The lines of a text: a line ends with LF or CR LF; a last line without a line end counts too.
std::vector<std::string> textLines(const std::string& text);

class EditedTemplate {
public:
    // Opens the file shared and writable; throws xbase::Error naming the file.
    explicit EditedTemplate(std::string path);
    ~EditedTemplate();

    const std::string& CFILE() const { return path_; }
    const std::string& CFILTER() const { return filter_; }
    // The open table; nullptr when a reopening failed (the page then shows nothing).
    xbase::Table* table() const { return table_.get(); }

    // The records shown: every record, or those the filter admits, in physical order.
    uint32_t rowCount() const;
    uint32_t recnoAt(uint32_t row) const;
    // The row of a record, or nullopt when it is not shown.
    std::optional<uint32_t> rowOf(uint32_t recno) const;

    // A cell as the grid shows it: text right-trimmed, numbers with their decimals, dates
    // DD/MM/YYYY (blank when empty), logicals T or F.
    std::string cellText(uint32_t recno, int field) const;
    // Writes a cell typed by the user, under a record lock. False with the reason when the text
    // does not fit the field's type or width or the record is locked by another program.
    bool setCell(uint32_t recno, int field, const std::string& text, std::string& problem);

    // OPENFILE: (re)opens the file shared; false after the error box when that fails.
    bool OPENFILE(ui::Owner owner);
    // "Tambah Record": a blank record at the end; returns its number.
    uint32_t BROWSERTAMBAH();
    // "Hapus/Recall Record": marks the record deleted, or recalls it (emptying TGL_HAPUS when the
    // table has that field). False after a message when another program holds the record.
    bool BROWSERHAPUS(ui::Owner owner, uint32_t recno);
    // "Recall All": after the question, recalls every deleted record. False when declined.
    bool BROWSERRECALLALL(ui::Owner owner);
    // "Zap" and "Pack": after the question, the file is reopened exclusively, emptied or purged,
    // and reopened shared. When another program holds the file, a message says so and the data
    // stay as they were. False when declined or refused.
    bool BUTTONZAP(ui::Owner owner);
    bool BUTTONPACK(ui::Owner owner);
    // Sets the filter (empty text clears it). An expression with an error shows its message with
    // the position and the old filter stays; returns false then.
    bool setFilter(ui::Owner owner, const std::string& expression);

    // "Paste From Clipboard" for one field: the lines of the text fill the field of consecutive
    // shown records from startRecno on (0: the first), new records appended after the last;
    // an empty line leaves its field as it is. Progress goes to the interaction's second line.
    // Returns the record to go to: the last one written, or startRecno when nothing was.
    uint32_t pasteColumn(ui::Owner owner, const std::string& fieldName, const std::string& text, uint32_t startRecno);

private:
    bool wholeFileCommand(ui::Owner owner, const char* question, bool zap);
    void refreshRows();
    bool lockOrSay(ui::Owner owner, uint32_t recno);
    // The record of a shown row; rows after the last stand for the records appended next.
    uint32_t recordForRow(uint32_t row) const;

    std::string path_;
    std::string filter_;
    std::unique_ptr<xbase::Table> table_;
    std::optional<xbase::Expression> expression_;
    std::vector<uint32_t> rows_;  // the shown records while a filter is set
};

}  // namespace tarvo::templatetools
