// The notifying radio buttons and check boxes, the list-view helpers and the small utilities.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QDialog>
#include <QPainter>
#include <QTest>
#include <QTreeWidget>
#include <QClipboard>

#include "app/gui/control_extensions.h"
#include "app/gui/gui_utilities.h"
#include "app/gui/list_view.h"
#include "tests/gui/gui_test_support.h"

namespace tarvo::gui {
namespace {

// An owner window that records the notifications it receives.
class Owner : public QDialog {
public:
    std::vector<int> notified;

protected:
    bool event(QEvent* event) override {
        if (event->type() == CheckStateNotification::kType) {
            notified.push_back(static_cast<CheckStateNotification*>(event)->controlId());
            return true;
        }
        return QDialog::event(event);
    }
};

class RadioGroup : public ::testing::Test {
protected:
    Owner owner;
    QButtonGroup group{&owner};
    NotifyingRadioButton* first = add(1, 0);
    NotifyingRadioButton* second = add(2, 20);
    NotifyingRadioButton* third = add(3, 40);

    NotifyingRadioButton* add(int id, int y) {
        auto* button = new NotifyingRadioButton(id, QString::number(id), &owner);
        button->setGeometry(0, y, 100, 20);
        group.addButton(button, id);
        return button;
    }
    void SetUp() override {
        owner.show();
        first->setChecked(true);
        test::settle();
        owner.notified.clear();
    }
};

TEST_F(RadioGroup, AClickNotifiesOncePerButtonOfTheGroupAndPostsRatherThanSends) {
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(owner.notified.empty());  // posted: handled after the click
    test::settle();
    std::vector<int> ids = owner.notified;
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(second->PRESSED());
    EXPECT_TRUE(second->valueChanged());
    EXPECT_TRUE(first->valueChanged());
    EXPECT_FALSE(third->valueChanged());
}

TEST_F(RadioGroup, SettingByProgramNotifiesEvenWithoutChange) {
    first->setChecked(true);
    test::settle();
    EXPECT_EQ(owner.notified, std::vector<int>{1});
    EXPECT_FALSE(first->valueChanged());
}

TEST_F(RadioGroup, AReadOnlyButtonTakesTheFocusButKeepsTheGroupAsItWas) {
    second->setREADONLY(true);
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::keyClick(second, Qt::Key_Space);
    test::settle();
    EXPECT_TRUE(first->PRESSED());
    EXPECT_FALSE(second->PRESSED());
    EXPECT_TRUE(owner.notified.empty());
    EXPECT_EQ(owner.focusWidget(), second);

    // The program still sets it, and the owner hears of it.
    second->setChecked(true);
    test::settle();
    EXPECT_TRUE(second->PRESSED());
    EXPECT_FALSE(owner.notified.empty());
}

TEST(ControlExtensions, ReadOnlyRestoresTheTabStopItHadBeforeAndReadOnlyTabStopOverrides) {
    QDialog owner;
    auto* box = new NotifyingCheckBox(7, QStringLiteral("Kode barang boleh sama"), &owner);
    ASSERT_TRUE(VOHASSTYLE(box, kStyleTabStop));
    box->setREADONLY(true);
    box->setREADONLY(true);
    EXPECT_FALSE(VOHASSTYLE(box, kStyleTabStop));
    box->setREADONLY(false);
    EXPECT_TRUE(VOHASSTYLE(box, kStyleTabStop));

    box->setFocusPolicy(Qt::ClickFocus);  // no tab stop to begin with
    box->setREADONLY(true);
    box->setREADONLY(false);
    EXPECT_FALSE(VOHASSTYLE(box, kStyleTabStop));
    box->setREADONLYTABSTOP(false);
    EXPECT_TRUE(VOHASSTYLE(box, kStyleTabStop));
    EXPECT_FALSE(box->READONLY());
}

TEST(ControlExtensions, ACheckBoxNotifiesItsClicksAndKnowsItsFocus) {
    Owner owner;
    auto* box = new NotifyingCheckBox(9, QStringLiteral("x"), &owner);
    box->setGeometry(0, 0, 100, 20);
    owner.show();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 10));
    test::settle();
    EXPECT_EQ(owner.notified, std::vector<int>{9});
    EXPECT_TRUE(box->CHECKED());
    box->setFocus();
    QApplication::setActiveWindow(&owner);
    test::settle();
    EXPECT_EQ(box->hasFocusFlag(), box->hasFocus());
}

TEST(ListView, ColumnsAreNamedAlignedAndInsertedWhereAsked) {
    QDialog owner;
    QTreeWidget* list = newReportList(&owner);
    const struct {
        const char* name;
        int alignment;
        Qt::Alignment expected;
    } columns[] = {{"LEFT", 1, Qt::AlignLeft}, {"CENTRE", 2, Qt::AlignHCenter}, {"RIGHT", 3, Qt::AlignRight},
                   {"ZERO", 0, Qt::AlignRight}};
    for (const auto& c : columns) {
        const LvColumn column = NEWLVCOLUMN(list, c.name, QStringLiteral("caption"), 10, c.alignment);
        EXPECT_EQ(column.name.toStdString(), c.name);
        EXPECT_EQ(column.width, 10);
        EXPECT_EQ(column.alignment, c.alignment);
    }
    ASSERT_EQ(list->columnCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Qt::Alignment(QFlag(list->headerItem()->textAlignment(i))) & Qt::AlignHorizontal_Mask,
                  columns[i].expected);

    NEWLVCOLUMNEX(list, QStringLiteral("FIRST"), QStringLiteral("First"), 5, 1, 1);
    EXPECT_EQ(lvColumnIndex(list, QStringLiteral("FIRST")), 0);
    EXPECT_EQ(lvColumnIndex(list, QStringLiteral("LEFT")), 1);
    EXPECT_EQ(lvColumnIndex(list, QStringLiteral("NONE")), -1);
}

TEST(ListView, TheTickedItemsInOrder) {
    QDialog owner;
    QTreeWidget* list = newReportList(&owner);
    NEWLVCOLUMN(list, QStringLiteral("A"), QStringLiteral("A"), 5, 1);
    for (int i = 0; i < 5; ++i) new QTreeWidgetItem(list, {QString::number(i)});
    EXPECT_TRUE(RETALLCHECKBOXSELECT(list).empty());  // no check boxes
    for (int i = 0; i < 5; ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, i == 1 || i == 4 ? Qt::Checked : Qt::Unchecked);
    }
    EXPECT_EQ(RETALLCHECKBOXSELECT(list), (std::vector<int>{2, 5}));
}

TEST(Utilities, ThePictureIsTiledAtFullSizeAndCoversTheWholeArea) {
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    QWidget window;
    window.resize(500, 250);
    QImage canvas(500, 250, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    DRAWSTRETCHBITMAP(&window, painter, picture);
    painter.end();
    for (const QPoint corner : {QPoint(0, 0), QPoint(200, 0), QPoint(400, 0), QPoint(0, 200), QPoint(400, 200)})
        EXPECT_EQ(canvas.pixel(corner), qRgb(255, 0, 0)) << corner.x() << "," << corner.y();
    EXPECT_EQ(canvas.pixel(499, 249), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(399, 99), qRgb(0, 0, 255));  // never stretched: the tile ends at its own size
}

TEST(Utilities, ClipboardTextAndStyleBits) {
    QGuiApplication::clipboard()->setText(QStringLiteral("KODE\tNAMA\r\n"));
    EXPECT_EQ(VOCLIPBOARDGET().toStdString(), "KODE\tNAMA\r\n");
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(VOCLIPBOARDGET().isEmpty());

    QWidget window;
    window.setEnabled(false);
    EXPECT_TRUE(VOHASSTYLE(&window, kStyleDisabled));
    EXPECT_FALSE(VOHASSTYLE(&window, kStyleVisible));
    EXPECT_FALSE(VOHASSTYLE(&window, 0x80000000u));
}

}  // namespace
}  // namespace tarvo::gui
