#pragma once
// The spreadsheet commands of the information window: "Buat Workbook Excel" writes the workbook to
// fill in (one sheet per template page), "Ambil dari Excel/CSV" makes the templates of the
// window's folder from a filled workbook or from the CSV files of a folder, every cell checked
// first. A workbook of the shop's own (other sheet names, its own headers, titles above them) is
// read through its column mapping: "Cocokkan Kolom..." opens it in WinSheetMapping, and
// "Ambil dari Excel/CSV" opens it there too when no mapping is kept beside the workbook and the
// proposal is more than field names under template names. Problems are listed in
// WinSheetProblems, where they can be copied.

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "templatetools/column_mapping.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvo::gui {

class WinImportInfo;

// A list of lines the user can read and copy.
class WinSheetProblems : public QDialog {
    Q_OBJECT

public:
    WinSheetProblems(QWidget* owner, const QString& title, const QString& heading, const std::vector<std::string>& lines);

    QLabel* HEADING = nullptr;
    QPlainTextEdit* LIST = nullptr;
    QPushButton* BUTTONCOPY = nullptr;   // "Salin": the whole list to the clipboard
    QPushButton* BUTTONCLOSE = nullptr;  // "Tutup"
};

class WinImportSheets : public QWidget {
    Q_OBJECT

public:
    explicit WinImportSheets(WinImportInfo* owner);

    QPushButton* BUTTONWORKBOOK = nullptr;
    QPushButton* BUTTONFROMSHEETS = nullptr;
    QPushButton* BUTTONMAPPING = nullptr;  // "Cocokkan Kolom..."

    // The pickers; tests replace them. Each returns an empty text when the user cancelled.
    std::function<std::string()> chooseWorkbookFile;
    std::function<std::string()> chooseSource;
    // Shows a problem list (modally); tests replace it to read the list.
    std::function<void(const QString& title, const QString& heading, const std::vector<std::string>& lines)> showList;
    // Shows the mapping of a source for review (WinSheetMapping); false when the user cancelled.
    // Tests replace it.
    std::function<bool(const std::string& source, templatetools::ColumnMapping& mapping)> reviewMapping;

    void BUTTONWORKBOOK_();    // asks for the file, then writeWorkbook()
    void BUTTONFROMSHEETS_();  // asks for the source, then fromSheets()
    void BUTTONMAPPING_();     // asks for the source, reviews its mapping, then fromSheets() with it
    // The workbook of every template page; "Berhasil" box or error box.
    void writeWorkbook(const std::string& file);
    // The templates of the window's folder from a workbook, or from every CSV file of the folder
    // of a chosen CSV file. With `review` the mapping is always shown first; otherwise only when
    // none is kept and the proposal needs a look.
    void fromSheets(const std::string& source, bool review = false);

private:
    WinImportInfo* owner_;
};

}  // namespace tarvo::gui
