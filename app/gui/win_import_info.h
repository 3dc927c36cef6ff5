#pragma once
// WinImportInfo: the modal tab window that explains the template files. The "Penjelasan" page
// explains the list's columns; each of the eighteen template pages (_WinImportInfo) lists the
// columns of one template file from the column catalogue, shows the description of the selected
// row, and makes an empty template with the mandatory and the ticked columns ("Create").

#include <QDialog>
#include <QEvent>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "templatetools/column_catalogue.h"
#include "ui/user_interaction.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace tarvo::gui {

class WinImportInfo;
class WinImportSheets;

// The list of a template page: tells its page after a mouse press, and posts the page a
// notification after a key, so that the page reads the selection the key has made.
class InfoListView : public QTreeWidget {
    Q_OBJECT

public:
    using QTreeWidget::QTreeWidget;

signals:
    void mouseButtonDown();  // LISTVIEWMOUSEBUTTONDOWN, after the list's own handling

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // LISTVIEWKEYDOWN
};

// The base template page, built for one page of the catalogue.
class _WinImportInfo : public QWidget, public ui::OwnerWindow {
    Q_OBJECT

public:
    // The private message the list posts to its page after a key (0x464).
    static constexpr QEvent::Type kShowKeteranganEvent = static_cast<QEvent::Type>(0x464);

    _WinImportInfo(WinImportInfo* owner, const templatetools::CataloguePage& page);

    // The template folder of the owner window (ends with a separator).
    std::string LOKASIIMPORT() const;
    // Appends one row to the list: mandatory becomes "*", else a single blank.
    void LVADD(const std::string& field, char type, int length, int decimals, bool mandatory,
               const std::string& defaultValue, const std::string& description);
    // The description of the selected row in the description box; empty without a selection.
    void SHOWKETERANGAN();
    // Writes the empty template: mandatory and ticked rows, in list order.
    void BUTTONCREATE();

    const templatetools::CataloguePage& page() const { return page_; }
    const std::string CFILENAME;

    QLabel* ODCINFOTEXT = nullptr;
    QLabel* INFOTEXT1 = nullptr;
    QLabel* INFOTEXT2 = nullptr;
    QLabel* KETERANGAN = nullptr;
    QPushButton* BUTTONCREATE_ = nullptr;
    InfoListView* LISTVIEW1 = nullptr;

protected:
    bool event(QEvent* event) override;  // DISPATCH
    void resizeEvent(QResizeEvent* event) override;

private:
    WinImportInfo* owner_;
    const templatetools::CataloguePage& page_;
};

// The general explanation page "Penjelasan".
class WinImportInfo0 : public QWidget {
    Q_OBJECT

public:
    explicit WinImportInfo0(QWidget* parent);
    QLabel* INFOTEXT = nullptr;
};

class WinImportInfo : public QDialog, public ui::OwnerWindow {
    Q_OBJECT

public:
    // folder: the template folder, ending with a separator.
    WinImportInfo(QWidget* owner, const std::string& folder);

    const std::string& CLOKASIIMP() const { return folder_; }
    QTabWidget* ODCTABCONTROL1 = nullptr;
    WinImportInfo0* OTPWINIMPORTINFO0 = nullptr;
    // The eighteen template pages in tab order.
    const std::vector<_WinImportInfo*>& templatePages() const { return pages_; }
    // The page of a template file ("ITEM.DBF"), or nullptr.
    _WinImportInfo* templatePage(const std::string& fileName) const;
    // The spreadsheet buttons below the tabs.
    WinImportSheets* OSHEETS = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::string folder_;
    std::vector<_WinImportInfo*> pages_;
};

}  // namespace tarvo::gui
