#pragma once
// WinImportEdit: the modal template editor. One tab per template file present in the folder
// (_WinImportEdit), each a grid over the open file with "Zap", "Pack", "Filter" and the context
// menu MENUDBU ("Tambah Record", "Hapus/Recall Record", "Recall All", "Paste From Clipboard");
// WinFilter asks for the filter expression and WinKolomPilih for the column a paste fills.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/template_table_model.h"
#include "templatetools/template_editor.h"
#include "ui/user_interaction.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tarvo::gui {

class WinImportEdit;

// "Setting Filter": the expression, set or cleared.
class WinFilter : public QDialog {
    Q_OBJECT

public:
    explicit WinFilter(QWidget* owner);
    const std::string& CFILTER() const { return filter_; }
    // Also fills the edit field.
    void setCFILTER(const std::string& filter);
    void BUTTONSET();    // the edit field's text, trimmed; result 1
    void BUTTONCLEAR();  // an empty filter; result 1

    QLineEdit* FILTER = nullptr;
    QPushButton* BUTTONSET_ = nullptr;
    QPushButton* BUTTONCLEAR_ = nullptr;

private:
    std::string filter_;
};

// "Kolom": the fields of a table, one to choose.
class WinKolomPilih : public QDialog {
    Q_OBJECT

public:
    WinKolomPilih(QWidget* owner, const xbase::Table& table);
    const std::string& CFIELDPILIH() const { return chosen_; }
    // Takes the current field and closes with result 1.
    void BUTTONPILIH();

    QListWidget* BBROWSER1 = nullptr;
    QPushButton* BUTTONPILIH_ = nullptr;

private:
    std::string chosen_;
};

// One editor page: a template file in a grid.
class _WinImportEdit : public QWidget, public ui::OwnerWindow {
    Q_OBJECT

public:
    // Opens the file; throws xbase::Error when it cannot be opened.
    _WinImportEdit(WinImportEdit* owner, const templatetools::EditorPage& page, const std::string& path);
    ~_WinImportEdit() override;

    std::string LOKASIIMPORT() const;
    const std::string& CFILE() const { return file_.CFILE(); }
    const std::string& CFILTER() const { return file_.CFILTER(); }
    const templatetools::EditorPage& page() const { return page_; }
    templatetools::EditedTemplate& file() { return file_; }
    TemplateTableModel* model() const { return model_; }

    void BROWSERTAMBAH();
    void BROWSERHAPUS();
    void BROWSERRECALLALL();
    void BROWSERPASTECLIPBOARD();
    void BUTTONZAP();
    void BUTTONPACK();
    void BUTTONFILTER();
    // The paste from a text, with the column already chosen (BROWSERPASTECLIPBOARD's work).
    void pasteText(const std::string& field, const std::string& text);
    // The record of the grid's current row; 0 when there is none.
    uint32_t currentRecno() const;
    void goToRecno(uint32_t recno);

    QLabel* INFOTEXT = nullptr;
    QPushButton* BUTTONZAP_ = nullptr;
    QPushButton* BUTTONPACK_ = nullptr;
    QPushButton* BUTTONFILTER_ = nullptr;
    QTableView* BBROWSER1 = nullptr;
    QMenu* MENUDBU = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OPENFILE();

    WinImportEdit* owner_;
    const templatetools::EditorPage& page_;
    templatetools::EditedTemplate file_;
    TemplateTableModel* model_ = nullptr;
};

class WinImportEdit : public QDialog, public ui::OwnerWindow {
    Q_OBJECT

public:
    // folder: the template folder, ending with a separator.
    WinImportEdit(QWidget* owner, const std::string& folder);

    const std::string& CLOKASIIMP() const { return folder_; }
    QLabel* INFO = nullptr;
    QTabWidget* TABCONTROL1 = nullptr;
    const std::vector<_WinImportEdit*>& pages() const { return pages_; }
    _WinImportEdit* editPage(const std::string& fileName) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::string folder_;
    std::vector<_WinImportEdit*> pages_;
};

}  // namespace tarvo::gui
