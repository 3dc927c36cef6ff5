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

void copyCell(QTreeWidgetItem* item, int from, int to) {
    item->setText(to, item->text(from));
    item->setData(to, kNameRole, item->data(from, kNameRole));
    item->setTextAlignment(to, Qt::Alignment(QFlag(item->textAlignment(from))));
}

void moveColumnContents(QTreeWidget* list, int from, int to) {
    copyCell(list->headerItem(), from, to);
    for (int i = 0; i < list->topLevelItemCount(); ++i) copyCell(list->topLevelItem(i), from, to);
    list->setColumnWidth(to, list->columnWidth(from));
}

}  // namespace

QTreeWidget* newReportList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    setReportStyle(list);
    return list;
}

void setReportStyle(QTreeWidget* list) {
    list->setColumnCount(0);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
}

LvColumn NEWLVCOLUMNEX(QTreeWidget* list, const QString& name, const QString& caption, int width, int alignment,
                       std::optional<int> position) {
    const int count = list->columnCount();
    int column = count;
    if (position && *position >= 1 && *position <= count) column = *position - 1;
    list->setColumnCount(count + 1);
    // The new column's place is made by moving the columns after it one to the right.
    for (int from = count - 1; from >= column; --from) moveColumnContents(list, from, from + 1);
    QTreeWidgetItem* header = list->headerItem();
    header->setText(column, caption);
    header->setData(column, kNameRole, name);
    header->setTextAlignment(column, alignmentOf(alignment));
    const QFontMetrics metrics(list->font());
    // A character is the font's average width; the margin keeps the cell's padding out of it.
    list->setColumnWidth(column, width * metrics.averageCharWidth() + 16);
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
