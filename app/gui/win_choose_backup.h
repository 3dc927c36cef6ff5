#pragma once
// The list "Pulihkan Data" shows: every backup of the database, newest first, with when it was
// taken, what took it (an import and its source, a repair), its state and its size. The user
// chooses one to put back.

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "safety/backups.h"

class QTreeWidget;

namespace tarvo::gui {

class WinChooseBackup : public QDialog {
    Q_OBJECT

public:
    // The backups of the retail database in the ST_DB folder, newest first.
    WinChooseBackup(QWidget* owner, const std::filesystem::path& database, const std::vector<safety::Backup>& backups);

    QTreeWidget* list() const { return list_; }
    // The stamp of the backup chosen (the selected row), empty when none is.
    std::string chosenStamp() const;

private:
    QTreeWidget* list_;
};

}  // namespace tarvo::gui
