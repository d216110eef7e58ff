#pragma once
// TFormKonfigurace, the configuration dialog: the FTP server, login and password, the proxy, the
// transfer log and what happens to the data files after a successful send.
//
// The main window makes one for each showing, shows it modally and destroys it. The fields are
// filled from Settings.ini at the first showing; "Uložit nastavení" checks the input, writes every
// setting (passwords in their stored form) and closes; "Storno", Esc and the close box close
// without writing. Nothing is kept between showings.

#include <QDialog>

#include "platform/BrowseDialog.h"
#include "platform/SaveDialog.h"
#include "platform/Text.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormKonfigurace : public QDialog {
public:
    // The dialog as designed, owned by `Owner` and centred over it when shown.
    explicit TFormKonfigurace(QWidget* Owner);

    // Shows the dialog modally; returns when it has been closed.
    int ShowModal() { return exec(); }

    // Components, in the order of the form's design.
    QPushButton* ButtonSave;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* EditLogin;
    QLineEdit* EditHeslo;
    QCheckBox* CheckBoxProxy;
    QLineEdit* EditProxyAdresa;
    QLineEdit* EditProxyPort;
    QLabel* LabelAdresa;
    QLabel* LabelPort;
    QLabel* LabelLogin;
    QLabel* LabelHeslo;
    QLineEdit* EditProxyHeslo;
    QLineEdit* EditProxyLogin;
    QPushButton* LMDButton1;
    platform::BrowseDialog BrowseDlg;
    QLabel* Label4;
    QLineEdit* EditCestaLog;
    QCheckBox* CheckBoxLog;
    QLabel* Label5;
    QLineEdit* EditFTPServer;
    QPushButton* LMDButtonDefFTPServer;
    QPushButton* ButtonBrowseLog;
    platform::SaveDialog SaveDialog;
    QRadioButton* RadioButtonAll;
    QRadioButton* RadioButtonLastOnly;
    QGroupBox* GroupBox1;
    QRadioButton* RadioLeave;
    QRadioButton* RadioDelete;
    QRadioButton* RadioMoveTo;
    QPushButton* ButtonBrowse;
    QLineEdit* EditCestaAdresare;
    QFrame* Panel1;

    // Event handlers.
    void CheckBoxProxyMouseUp();
    // Validates, writes every setting and closes. A refused write raises the settings store's
    // exception: the remaining writes are skipped and the dialog stays open.
    void ButtonSaveClick();
    // Fills the fields from Settings.ini at the first activation only, so that what the user has
    // typed is never replaced while the dialog is open.
    void FormActivate();
    void LMDButton1Click();
    void ButtonBrowseClick();
    void LMDButtonDefFTPServerClick();
    void ButtonBrowseLogClick();
    void CheckBoxLogMouseUp();
    void RadioMoveToKeyUp();
    void RadioDeleteKeyUp();
    void RadioLeaveMouseUp();
    void RadioMoveToMouseUp();
    // A check box toggled with the keyboard keeps its group in step, as the mouse does.
    void CheckBoxProxyKeyUp();
    void CheckBoxLogKeyUp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EnableProxyControls(bool on);
    void EnableLogControls(bool on);
    void EnableFolderControls(bool on);
    // True when the input may be saved; otherwise shows the first problem's message. Completes
    // the log path and the move folder in their fields.
    bool ValidateInput();
    // The first field to be saved whose text Windows-1250 cannot hold, with its name for the
    // message; nullptr when every one can be stored.
    const QLineEdit* unstorableField(Text& name) const;

    bool activated_ = false;
};
