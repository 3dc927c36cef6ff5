#pragma once
// The grid model of the template editor: a QAbstractTableModel over one template file open in the
// table layer. The first column is the record number ("RECNO"), then one column per field. Cells
// are read from the table only when the view asks for them, so a file of any size opens at once
// and no row is kept in memory; deleted records are shown struck through until a pack.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <functional>

#include "templatetools/template_editor.h"

namespace tarvo::gui {

class TemplateTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The field's width for the cell editor (character fields).
    static constexpr int kMaxLengthRole = Qt::UserRole + 1;

    TemplateTableModel(templatetools::EditedTemplate& file, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed value that does not fit its field is refused with the reason in an error box.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The record number of a row.
    uint32_t recnoAt(int row) const;
    // The row of a record, or -1 when it is not shown.
    int rowOf(uint32_t recno) const;
    // "Tambah Record" through the model, so that the view gets its new row; returns the record.
    uint32_t appendRecord();
    // Runs a change of many records with the view told to forget and reread what it shows.
    void changeAll(const std::function<void()>& change);
    // After commands that change which records are shown.
    void reload();
    // After a change of one record.
    void recordChanged(uint32_t recno);

private:
    templatetools::EditedTemplate& file_;
};

// Cell editors that take no more characters than the field holds.
class FieldWidthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tarvo::gui
