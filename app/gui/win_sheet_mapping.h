#pragma once
// The column mapping of a shop's own workbook as a dialog: per sheet the template it fills and the
// row of its column names; a table of its columns (letter, header text, first values, and the
// template column in a drop-down whose items carry the catalogue's description as tooltip); the
// mandatory template columns still unmatched; and the first rows converted as the check converts
// them, each cell with a problem marked. "Simpan" keeps the mapping beside the workbook,
// "Periksa" runs the whole check without writing, "Ambil" reads the workbook with the mapping.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "templatetools/column_mapping.h"
#include "templatetools/mapping_proposal.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tarvo::gui {

class WinImportInfo;

class WinSheetMapping : public QDialog {
    Q_OBJECT

public:
    // `heads` are the first rows of the source's sheets, `mapping` the one to start from; `folder`
    // is the template folder the check reads into.
    WinSheetMapping(WinImportInfo* owner, std::string source, std::string folder, std::vector<templatetools::SheetHead> heads,
                    templatetools::ColumnMapping mapping);

    QComboBox* SHEET = nullptr;         // the source's sheets
    QComboBox* TEMPLATE = nullptr;      // the template the sheet fills; the first item: none
    QSpinBox* HEADERROW = nullptr;      // the row of the column names
    QTableWidget* COLUMNS = nullptr;    // "Kolom", "Judul", "Isi pertama", "Kolom template"
    QLabel* MISSING = nullptr;          // mandatory template columns no column goes to
    QTableWidget* PREVIEW = nullptr;    // the first rows converted; cells with a problem marked
    QLabel* PROBLEMS = nullptr;         // the problems of the preview's cells, one line each
    QPushButton* BUTTONSAVE = nullptr;   // "Simpan"
    QPushButton* BUTTONCHECK = nullptr;  // "Periksa"
    QPushButton* BUTTONREAD = nullptr;   // "Ambil"
    QPushButton* BUTTONCANCEL = nullptr; // "Batal"

    const templatetools::ColumnMapping& mapping() const { return mapping_; }
    // The template-column drop-down of a row of COLUMNS.
    QComboBox* fieldBox(int row) const;

    // Shows a list of lines (modally); tests replace it to read the list.
    std::function<void(const QString& title, const QString& heading, const std::vector<std::string>& lines)> showList;

private:
    templatetools::MappingSheet& current();
    const templatetools::SheetHead& currentHead() const;
    void showSheet();
    void proposeColumns();  // after a change of template or header row
    void fieldChosen(int row);
    void showPreview();
    void save();
    void check();

    WinImportInfo* owner_;
    std::string source_;
    std::string folder_;
    std::vector<templatetools::SheetHead> heads_;
    templatetools::ColumnMapping mapping_;
    bool filling_ = false;  // the controls are being filled: their signals change nothing
};

}  // namespace tarvo::gui
