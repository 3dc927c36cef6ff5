#pragma once
// List-view helpers over QTreeWidget: named columns sized in characters, and the ticked items.

#include <QString>
#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tarvo::gui {

// The four arguments of a column as given.
struct LvColumn {
    QString name;
    QString caption;
    int width = 0;      // in characters
    int alignment = 0;  // 1 left, 2 centre, anything else right
};

// A list in report style without columns, rows selected whole.
QTreeWidget* newReportList(QWidget* parent);
// The same settings for a list made otherwise (a subclass).
void setReportStyle(QTreeWidget* list);

// Adds a column at the end, or inserts it at the 1-based position.
LvColumn NEWLVCOLUMNEX(QTreeWidget* list, const QString& name, const QString& caption, int width, int alignment,
                       std::optional<int> position);
LvColumn NEWLVCOLUMN(QTreeWidget* list, const QString& name, const QString& caption, int width, int alignment);

// The 0-based column of a name, or -1.
int lvColumnIndex(const QTreeWidget* list, const QString& name);
// Sets an item's text in the named column, aligned as the column is.
void setLvText(QTreeWidgetItem* item, const QTreeWidget* list, const QString& name, const QString& text);

// The 1-based indices of the ticked items, in order; empty when the list has no check boxes.
std::vector<int> RETALLCHECKBOXSELECT(QTreeWidget* list);

}  // namespace tarvo::gui
