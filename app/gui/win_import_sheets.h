#pragma once
// The spreadsheet commands of the information window: "Buat Workbook Excel" writes the workbook to
// fill in (one sheet per template page), "Ambil dari Excel/CSV" makes the templates of the
// window's folder from a filled workbook or from the CSV files of a folder, every cell checked
// first. Problems are listed in WinSheetProblems, where they can be copied.

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

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

    // The pickers; tests replace them. Each returns an empty text when the user cancelled.
    std::function<std::string()> chooseWorkbookFile;
    std::function<std::string()> chooseSource;
    // Shows a problem list (modally); tests replace it to read the list.
    std::function<void(const QString& title, const QString& heading, const std::vector<std::string>& lines)> showList;

    void BUTTONWORKBOOK_();    // asks for the file, then writeWorkbook()
    void BUTTONFROMSHEETS_();  // asks for the source, then fromSheets()
    // The workbook of every template page; "Berhasil" box or error box.
    void writeWorkbook(const std::string& file);
    // The templates of the window's folder from a workbook, or from every CSV file of the folder
    // of a chosen CSV file.
    void fromSheets(const std::string& source);

private:
    WinImportInfo* owner_;
};

}  // namespace tarvo::gui
