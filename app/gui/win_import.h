#pragma once
// WINIMPORT: the main import window. The user names the retail database folder and the import
// folder, chooses the opening-stock mode, the source and the duplicate options, and starts the
// import; the import reads its options from this window's controls.

#include <QDialog>
#include <QImage>
#include <functional>
#include <string>

#include "app/gui/control_extensions.h"
#include "importers/ipos/ipos_import.h"
#include "importing/import_command.h"
#include "ui/user_interaction.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo::gui {

class WINIMPORT : public QDialog, public ui::OwnerWindow {
    Q_OBJECT

public:
    // Control numbers of the resource, which the radio-button notification carries.
    enum ControlId {
        kRbSisaTutup = 113,
        kRbSisaBuka = 115,
        kRbSisaTiada = 117,
        kRbImport1 = 122,
        kRbImport2 = 125,
    };
    // Values of the IMPORT2LIST entries and of the IMPORTDRIVER entries.
    enum Import2Value { kLindraMakmur = 1, kIntegratedSystem = 2, kIas = 3, kIpos = 4 };
    enum DriverValue { kDriverNtx = 1, kDriverMdx = 2, kDriverCdx = 3 };

    explicit WINIMPORT(QWidget* parent = nullptr);
    ~WINIMPORT() override;

    // The option rules: which controls are enabled for the chosen options.
    void CHECKSTATE();
    // Presets IMPORTDRIVER from the IMPORT2LIST choice.
    void CHECKDRIVER();
    // The driver name of the chosen IMPORTDRIVER entry.
    std::string DBFDRIVER() const;
    // The date fields the chosen options use: a date that names no real day, or an empty one
    // where the stock mode needs it, is refused with a message naming the field, which gets the
    // focus. False after that message.
    bool datesChecked();
    // The options of a template import as the controls give them.
    importing::ImportOptions importOptions() const;
    // The choices of the iPOS import: its three check boxes, and the connection string below.
    importers::ipos::IposChoices iposChoices() const;
    // Replaces the Access connection string of the iPOS import (a database reached through another
    // ODBC driver); empty, the import asks for the .MDB file and its password.
    std::string iposConnectionString;
    bool LREADY() const { return ready_; }

    void BROWSELOKASI();
    void BROWSEIMPORT();
    void BUTTONIMPORT();
    void BUTTONEDITIMPORT();
    void BUTTONCREATEIMPORT();
    // The report converter: ITEM.TXT and CUST.TXT of a chosen folder become ITEM.DBF and PELANG.DBF.
    void BUTTONCREATEDBF();
    // The stock repair on the database folder of LOKASI: items of kind 0 become kind 1.
    void BUTTONPERBAIKIDATA();
    void BUTTONTUTUP();
    // Lists the backups of the database in LOKASI and puts the one chosen back, after a question.
    void BUTTONPULIHKAN();
    // When the database in LOKASI holds an interrupted import, says so and offers the restore
    // (once per folder). Called when the user leaves LOKASI.
    void CHECKINTERRUPTED();
    // Ends the dialog, by BUTTONTUTUP or the close box; the program ends with it. During an
    // import it asks whether to stop the import instead, and stays open.
    void done(int result) override;
    // Whether an import is under way (the window lets events through while it runs).
    bool importing() const { return importing_; }
    // A selection in a list control (IMPORT2LIST): CHECKDRIVER, then CHECKSTATE.
    void LISTBOXSELECT();

    // The controls, by their member names.
    QGroupBox* GROUPBOX2 = nullptr;
    QGroupBox* GROUPBOX3 = nullptr;
    QLabel* LOKASITEXT = nullptr;
    QLabel* AKHIRTUTUPTEXT = nullptr;
    QLabel* AKHIRBUKATEXT = nullptr;
    QLabel* TGLHITUNGPOINTTEXT = nullptr;
    QLabel* IMPORTDRIVERTEXT = nullptr;
    QPushButton* BUTTONCREATEDBF_ = nullptr;
    QPushButton* BUTTONPERBAIKIDATA_ = nullptr;
    QLineEdit* LOKASI = nullptr;
    QPushButton* BROWSELOKASI_ = nullptr;
    NotifyingRadioButton* RBSISATUTUP = nullptr;
    QLineEdit* AKHIRTUTUP = nullptr;
    NotifyingRadioButton* RBSISABUKA = nullptr;
    QLineEdit* AKHIRBUKA = nullptr;
    NotifyingRadioButton* RBSISATIADA = nullptr;
    QLineEdit* TGLHITUNGPOINT = nullptr;
    QLineEdit* IMPORT = nullptr;
    QPushButton* BROWSEIMPORT_ = nullptr;
    NotifyingRadioButton* RBIMPORT1 = nullptr;
    QPushButton* BUTTONCREATEIMPORT_ = nullptr;
    QPushButton* BUTTONEDITIMPORT_ = nullptr;
    NotifyingRadioButton* RBIMPORT2 = nullptr;
    QComboBox* IMPORT2LIST = nullptr;
    QComboBox* IMPORTDRIVER = nullptr;
    QCheckBox* KODESAMA = nullptr;
    QCheckBox* NAMASAMA = nullptr;
    QCheckBox* SALES2PELANGGAN = nullptr;
    QCheckBox* HITUNGKOMISI2ADJ1 = nullptr;
    QCheckBox* IMPORTPENJUALANASCASH = nullptr;
    QPushButton* BUTTONIMPORT_ = nullptr;
    QPushButton* BUTTONTUTUP_ = nullptr;
    // Additions of this tool: the dry run and the restore command.
    QCheckBox* PERIKSASAJA = nullptr;
    QPushButton* BUTTONPULIHKAN_ = nullptr;

    const QImage& HBACKGROUND() const { return background_; }

protected:
    // DISPATCH: the radio-button notifications.
    bool event(QEvent* event) override;
    // DISPATCH: the background picture tiled on every paint.
    void paintEvent(QPaintEvent* event) override;
    // Escape closes the window only after a question once something has been filled in.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void INIT();
    void POSTINIT();
    int import2Value() const;
    // Whether the user has filled in a folder or changed a date from its start value.
    bool fieldsFilledIn() const;
    // The import command with the chosen source.
    void runImport(importing::ImportSource& source);
    // Runs a command of a button; an unexpected error is shown, never thrown into the event loop.
    void runCommand(const std::function<void()>& command);

    QButtonGroup* stockGroup_ = nullptr;
    QButtonGroup* sourceGroup_ = nullptr;
    QImage background_;
    bool ready_ = false;
    bool importing_ = false;
    std::string interruptedAsked_;  // the folder whose interrupted import was already offered
};

}  // namespace tarvo::gui
