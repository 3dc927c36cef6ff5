// WindowMDBConnection: the password dialog of the iPOS import, on its own and as the desktop
// program's password prompt.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/gui/dialog_units.h"
#include "app/gui/qt_interaction.h"
#include "app/gui/window_mdb_connection.h"
#include "tests/gui/gui_test_support.h"

namespace tarvo::gui {
namespace {

TEST(WindowMDBConnection, HasItsCaptionSizeAndMaskedField) {
    WindowMDBConnection dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Connection String MDB File (Access File)");
    const DialogUnits du(dialog.font());
    EXPECT_EQ(dialog.size(), du.size(159, 62));
    EXPECT_EQ(dialog.DBPASSWORDTEXT->text().toStdString(), "DB Pasword :");
    EXPECT_EQ(dialog.DBPASSWORD->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(dialog.DBPASSWORD->text().isEmpty());
    EXPECT_TRUE(dialog.DBPASSWORD->font().bold());
    EXPECT_EQ(dialog.BUTTONOK_->text().toStdString(), "Ok");
    EXPECT_TRUE(dialog.BUTTONOK_->font().bold());
    EXPECT_TRUE(dialog.CDBPASSWORD.isEmpty());
}

TEST(WindowMDBConnection, OkKeepsThePasswordTrimmedAndClosingGivesNoPassword) {
    QtInteraction interaction;
    struct Case {
        const char* typed;
        bool ok;
        std::optional<std::string> password;
    };
    const Case cases[] = {{"  rahasia  ", true, "rahasia"}, {"", true, ""}, {"rahasia", false, std::nullopt}};
    for (const Case& c : cases) {
        std::optional<std::string> password;
        test::whenModalOpens(
            [&](QWidget* modal) {
                auto* dialog = qobject_cast<WindowMDBConnection*>(modal);
                ASSERT_NE(dialog, nullptr);
                QTest::keyClicks(dialog->DBPASSWORD, QString::fromUtf8(c.typed));
                if (c.ok)
                    dialog->BUTTONOK_->click();
                else
                    dialog->reject();
            },
            [&] { password = interaction.askPassword(nullptr, "Connection String MDB File (Access File)"); });
        EXPECT_EQ(password, c.password) << c.typed << (c.ok ? " Ok" : " closed");
    }
}

}  // namespace
}  // namespace tarvo::gui
