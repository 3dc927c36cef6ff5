// The window's dates are checked before the import asks anything: a date that names no real day,
// or an empty one the chosen stock mode needs, is refused naming the field, which gets the focus.

#include <gtest/gtest.h>

#include <QLineEdit>

#include "app/gui/control_extensions.h"
#include "app/gui/win_import.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"

namespace tarvo::gui {
namespace {

TEST(WinImportDates, ImpossibleOrMissingDatesAreRefusedNamingTheField) {
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped(ui);
    WINIMPORT window;
    window.show();
    test::settle();
    const struct {
        NotifyingRadioButton* mode;
        QLineEdit* field;
        const char* text;
        std::string error;  // empty: accepted, the import's question comes next
    } cases[] = {
        {window.RBSISATUTUP, window.AKHIRTUTUP, "31/02/2025",
         "Tanggal Tutup Hari tidak valid ( 31/02/2025 )! Isi dengan format DD/MM/YYYY."},
        {window.RBSISATUTUP, window.AKHIRTUTUP, "00/00/0000",
         "Tanggal Tutup Hari tidak valid ( 00/00/0000 )! Isi dengan format DD/MM/YYYY."},
        {window.RBSISATUTUP, window.AKHIRTUTUP, "", "Tanggal Tutup Hari belum diisi!"},
        {window.RBSISABUKA, window.AKHIRBUKA, "", "Tanggal Akhir Stock belum diisi!"},
        {window.RBSISABUKA, window.AKHIRBUKA, "29/02/2023",
         "Tanggal Akhir Stock tidak valid ( 29/02/2023 )! Isi dengan format DD/MM/YYYY."},
        {window.RBSISATIADA, window.TGLHITUNGPOINT, "32/01/2024",
         "Tanggal Hitung Point tidak valid ( 32/01/2024 )! Isi dengan format DD/MM/YYYY."},
        {window.RBSISATIADA, window.TGLHITUNGPOINT, "", ""},  // no point reckoning
        {window.RBSISATIADA, window.AKHIRTUTUP, "", ""},       // a date the mode does not use
        {window.RBSISATUTUP, window.AKHIRTUTUP, "29/02/2024", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.error);
        window.AKHIRTUTUP->setText(QStringLiteral("31/12/2024"));
        window.AKHIRBUKA->setText(QStringLiteral("31/12/2024"));
        window.TGLHITUNGPOINT->clear();
        c.mode->setChecked(true);
        test::settle();
        c.field->setText(QString::fromLatin1(c.text));
        window.LOKASI->setFocus();
        ui.messages.clear();
        window.BUTTONIMPORT();  // No to the question, when it comes
        ASSERT_FALSE(ui.messages.empty());
        if (c.error.empty()) {
            EXPECT_EQ(ui.messages[0].text, "Lanjutkan proses Import Data ?");
            continue;
        }
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, "error");
        EXPECT_EQ(ui.messages[0].text, c.error);
        EXPECT_EQ(window.focusWidget(), c.field);
    }
}

}  // namespace
}  // namespace tarvo::gui
