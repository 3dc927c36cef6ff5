#include "app/gui/list_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTreeWidget>

namespace tarvo::gui {

namespace {

constexpr int kNameRole = Qt::UserRole;

Qt::Alignment alignmentOf(int code) {
    if (code == 1) return Qt::AlignLeft | Qt::AlignVCenter;
    if (code == 2) return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignRight | Qt::AlignVCenter;
}

}  // namespace

QTreeWidget* newReportList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(0);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    return list;
}

LvColumn NEWLVCOLUMNEX(QTreeWidget* list, const QString& name, const QString& caption, int width, int alignment,
                       std::optional<int> position) {
    const int count = list->columnCount();
    int column = count;
    if (position && *position >= 1 && *position <= count) column = *position - 1;
    list->model()->insertColumn(column);
    QTreeWidgetItem* header = list->headerItem();
    header->setText(column, caption);
    header->setData(column, kNameRole, name);
    header->setTextAlignment(column, alignmentOf(alignment));
    const QFontMetrics metrics(list->font());
    list->setColumnWidth(column, width * metrics.averageCharWidth() + 2 * metrics.averageCharWidth());
    return {name, caption, width, alignment};
}

LvColumn NEWLVCOLUMN(QTreeWidget* list, const QString& name, const QString& caption, int width, int alignment) {
    return NEWLVCOLUMNEX(list, name, caption, width, alignment, std::nullopt);
}

int lvColumnIndex(const QTreeWidget* list, const QString& name) {
    const QTreeWidgetItem* header = list->headerItem();
    for (int column = 0; column < list->columnCount(); ++column)
        if (header->data(column, kNameRole).toString() == name) return column;
    return -1;
}

void setLvText(QTreeWidgetItem* item, const QTreeWidget* list, const QString& name, const QString& text) {
    const int column = lvColumnIndex(list, name);
    if (column < 0) return;
    item->setText(column, text);
    item->setTextAlignment(column, Qt::Alignment(QFlag(list->headerItem()->textAlignment(column))));
}

std::vector<int> RETALLCHECKBOXSELECT(QTreeWidget* list) {
    QWidget* owner = list->window();
    const QCursor previous = owner->cursor();
    owner->setCursor(Qt::BusyCursor);
    std::vector<int> ticked;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(0) == Qt::Checked) ticked.push_back(i + 1);
    }
    owner->setCursor(previous);
    return ticked;
}

}  // namespace tarvo::gui
