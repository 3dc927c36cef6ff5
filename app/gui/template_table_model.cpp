#include "app/gui/template_table_model.h"

#include <QFont>
#include <QLineEdit>

#include "app/gui/gui_utilities.h"
#include "ui/user_interaction.h"

namespace tarvo::gui {

TemplateTableModel::TemplateTableModel(templatetools::EditedTemplate& file, QObject* parent)
    : QAbstractTableModel(parent), file_(file) {}

int TemplateTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(file_.rowCount());
}

int TemplateTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !file_.table()) return 0;
    return file_.table()->fieldCount() + 1;
}

uint32_t TemplateTableModel::recnoAt(int row) const { return file_.recnoAt(static_cast<uint32_t>(row)); }

int TemplateTableModel::rowOf(uint32_t recno) const {
    const auto row = file_.rowOf(recno);
    return row ? static_cast<int>(*row) : -1;
}

QVariant TemplateTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !file_.table()) return {};
    const uint32_t recno = recnoAt(index.row());
    const int field = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return field == 0 ? qt(std::to_string(recno)) : qt(file_.cellText(recno, field));
        case Qt::TextAlignmentRole: {
            const char type = field == 0 ? 'N' : file_.table()->field(field).type;
            return QVariant::fromValue(Qt::AlignVCenter | (type == 'N' ? Qt::AlignRight : Qt::AlignLeft));
        }
        case Qt::FontRole: {
            xbase::Table* table = file_.table();
            table->goTo(recno);
            if (!table->deleted()) return {};
            QFont font;
            font.setStrikeOut(true);
            return font;
        }
        case kMaxLengthRole:
            if (field > 0 && file_.table()->field(field).type == 'C') return file_.table()->field(field).length;
            return {};
        default:
            return {};
    }
}

QVariant TemplateTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !file_.table()) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section == 0 ? QStringLiteral("RECNO") : qt(file_.table()->field(section).name);
}

Qt::ItemFlags TemplateTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() > 0) flags |= Qt::ItemIsEditable;
    return flags;
}

bool TemplateTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() == 0) return false;
    std::string problem;
    if (!file_.setCell(recnoAt(index.row()), index.column(), value.toString().toStdString(), problem)) {
        ui::BOXERROR(dynamic_cast<ui::Owner>(parent()), problem);
        return false;
    }
    emit dataChanged(index, index);
    return true;
}

uint32_t TemplateTableModel::appendRecord() {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    const uint32_t recno = file_.BROWSERTAMBAH();
    endInsertRows();
    return recno;
}

void TemplateTableModel::changeAll(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
}

void TemplateTableModel::reload() {
    beginResetModel();
    endResetModel();
}

void TemplateTableModel::recordChanged(uint32_t recno) {
    const int row = rowOf(recno);
    if (row >= 0) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QWidget* FieldWidthDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const QVariant width = index.data(TemplateTableModel::kMaxLengthRole);
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && width.isValid()) line->setMaxLength(width.toInt());
    return editor;
}

}  // namespace tarvo::gui
