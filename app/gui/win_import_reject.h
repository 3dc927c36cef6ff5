#pragma once
// WinImportReject: the items an import refused as duplicates, listed for the user and written to
// the reject file as they are loaded.

#include <QDialog>
#include <filesystem>
#include <vector>

#include "importing/import_run.h"
#include "importing/reject_list.h"
#include "ui/user_interaction.h"

class QLabel;
class QTreeWidget;

namespace tarvo::gui {

class WinImportReject : public QDialog, public ui::OwnerWindow {
    Q_OBJECT

public:
    // Creates the reject file with its header line (an error box when it cannot); the window says
    // where the file is.
    WinImportReject(QWidget* owner, const std::filesystem::path& rejectFile);

    // Loads the code-duplicate list ("Kode Sama") and the name-duplicate list ("Nama Sama"),
    // with the progress in the progress window.
    void KODESAMA(const importing::DuplicateList& entries);
    void NAMASAMA(const importing::DuplicateList& entries);
    // Closes the file and shows the window until the user closes it.
    void SHOW();

    QLabel* infoText() const { return info_; }
    QTreeWidget* LVREJECT() const { return list_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void POSTINIT();
    void load(const importing::DuplicateList& entries, const char* caption);

    QLabel* info_;
    QTreeWidget* list_;
    importing::RejectFile file_;
};

}  // namespace tarvo::gui
