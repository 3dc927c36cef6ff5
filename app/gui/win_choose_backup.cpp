#include "app/gui/win_choose_backup.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/gui_utilities.h"
#include "app/gui/list_view.h"

namespace tarvo::gui {

WinChooseBackup::WinChooseBackup(QWidget* owner, const std::filesystem::path& database,
                                 const std::vector<safety::Backup>& backups)
    : QDialog(owner) {
    setWindowTitle(QStringLiteral("Pulihkan Data"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Pilih cadangan yang dikembalikan ke Lokasi Data:"), this));
    list_ = newReportList(this);
    NEWLVCOLUMN(list_, QStringLiteral("STAMP"), QStringLiteral("Cadangan"), 18, 1);
    NEWLVCOLUMN(list_, QStringLiteral("TAKEN"), QStringLiteral("Tanggal/Jam"), 19, 1);
    NEWLVCOLUMN(list_, QStringLiteral("MADEBY"), QStringLiteral("Dibuat oleh"), 40, 1);
    NEWLVCOLUMN(list_, QStringLiteral("STATE"), QStringLiteral("Status"), 12, 1);
    NEWLVCOLUMN(list_, QStringLiteral("SIZE"), QStringLiteral("Ukuran"), 9, 3);
    for (const safety::Backup& backup : backups) {
        const safety::BackupListing listing = safety::backupListing(database, backup);
        auto* item = new QTreeWidgetItem(list_);
        setLvText(item, list_, QStringLiteral("STAMP"), qt(backup.stamp));
        setLvText(item, list_, QStringLiteral("TAKEN"), qt(listing.taken));
        setLvText(item, list_, QStringLiteral("MADEBY"), qt(listing.madeBy));
        setLvText(item, list_, QStringLiteral("STATE"), qt(listing.state));
        setLvText(item, list_, QStringLiteral("SIZE"), qt(listing.size));
        // A backup whose manifest cannot be read cannot be put back.
        if (!backup.problem.empty()) item->setFlags(item->flags() & ~Qt::ItemIsSelectable & ~Qt::ItemIsEnabled);
    }
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(QStringLiteral("Pulihkan"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Batal"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    // The newest usable backup is chosen to begin with; without a choice there is nothing to restore.
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        if (!(list_->topLevelItem(row)->flags() & Qt::ItemIsSelectable)) continue;
        list_->setCurrentItem(list_->topLevelItem(row));
        break;
    }
    restore->setEnabled(list_->currentItem() != nullptr);
    connect(list_, &QTreeWidget::currentItemChanged, restore,
            [restore](QTreeWidgetItem* current) { restore->setEnabled(current != nullptr); });
    resize(760, 300);
}

std::string WinChooseBackup::chosenStamp() const {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item || !(item->flags() & Qt::ItemIsSelectable)) return {};
    return item->text(lvColumnIndex(list_, QStringLiteral("STAMP"))).toStdString();
}

}  // namespace tarvo::gui
