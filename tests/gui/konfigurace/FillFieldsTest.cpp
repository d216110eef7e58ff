// Filling the fields at the first activation: defaults without Settings.ini, decoded passwords,
// the proxy fields emptied when the proxy is off, the low 8 bits of FilesMoveTo and DeleteLog,
// and no second filling while the dialog is open.

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Unitpom.h"
#include "base64/PasswordText.h"
#include "gui/konfigurace/KonfiguraceFixture.h"
#include "gui/support/ModalDriver.h"
#include "platform/Modal.h"

using guitest::qs;
using platform::cz;

namespace {

class FillFields : public guitest::KonfiguraceFixture {};

TEST_F(FillFields, WithoutSettingsEveryFieldShowsItsDefault) {
    auto dialog = open();
    EXPECT_EQ(dialog->EditFTPServer->text(), DefaultFtpServer);
    for (QLineEdit* field : {dialog->EditLogin, dialog->EditHeslo, dialog->EditProxyAdresa,
                             dialog->EditProxyPort, dialog->EditProxyLogin, dialog->EditProxyHeslo,
                             dialog->EditCestaLog, dialog->EditCestaAdresare}) {
        EXPECT_TRUE(field->text().isEmpty());
    }
    EXPECT_FALSE(dialog->CheckBoxProxy->isChecked());
    EXPECT_FALSE(dialog->CheckBoxLog->isChecked());
    EXPECT_TRUE(dialog->RadioLeave->isChecked());
    EXPECT_TRUE(dialog->RadioButtonAll->isChecked());
    EXPECT_TRUE(allEnabled(proxyControls(*dialog), false));
    EXPECT_TRUE(allEnabled(logControls(*dialog), false)) << "logging is off";
    EXPECT_TRUE(allEnabled(folderControls(*dialog), false));

    // Saving with the empty login: its message, and no file.
    click(dialog->ButtonSave);
    EXPECT_EQ(modal.messages(),
              std::vector<Text>{cz(
                  "Vyplňte prosím své uživatelské jméno (Login) pro připojení k FTP serveru. ")});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(settingsBytes(), "");
}

TEST_F(FillFields, StoredValuesWithProxyLogAndMoveFolder) {
    writeSettings("FTPServer=ftp.example.cz\r\nLogin=jan\r\nHeslo=" +
                  EncodePasswordForSettings(cz("žluťoučký")) +
                  "\r\nProxy=1\r\nProxyAdresa=proxy.local\r\nProxyPort=$15\r\nProxyLogin=pavel\r\n"
                  "ProxyHeslo=" +
                  EncodePasswordForSettings("tajne") +
                  "\r\nUseLog=1\r\nCestaLog=/var/log/sender.log\r\nDeleteLog=1\r\n"
                  "FilesMoveTo=2\r\nFilesMoveToDir=/srv/archiv/\r\n");
    auto dialog = open();
    EXPECT_EQ(dialog->EditFTPServer->text(), "ftp.example.cz");
    EXPECT_EQ(dialog->EditLogin->text(), "jan");
    EXPECT_EQ(dialog->EditHeslo->text(), qs("žluťoučký")) << "decoded";
    EXPECT_TRUE(dialog->CheckBoxProxy->isChecked());
    EXPECT_EQ(dialog->EditProxyAdresa->text(), "proxy.local");
    EXPECT_EQ(dialog->EditProxyPort->text(), "$15") << "as stored";
    EXPECT_EQ(dialog->EditProxyLogin->text(), "pavel");
    EXPECT_EQ(dialog->EditProxyHeslo->text(), "tajne");
    EXPECT_TRUE(allEnabled(proxyControls(*dialog), true));
    EXPECT_TRUE(dialog->CheckBoxLog->isChecked());
    EXPECT_TRUE(allEnabled(logControls(*dialog), true));
    EXPECT_EQ(dialog->EditCestaLog->text(), "/var/log/sender.log");
    EXPECT_TRUE(dialog->RadioButtonLastOnly->isChecked());
    EXPECT_TRUE(dialog->RadioMoveTo->isChecked());
    EXPECT_TRUE(allEnabled(folderControls(*dialog), true));
    EXPECT_EQ(dialog->EditCestaAdresare->text(), "/srv/archiv/");
}

TEST_F(FillFields, ProxyOffEmptiesItsFieldsAndLogPathShowsWhileLoggingIsOff) {
    writeSettings("FTPServer=\r\nProxy=0\r\nProxyAdresa=proxy.local\r\nProxyPort=21\r\n"
                  "ProxyLogin=pavel\r\nProxyHeslo=dGFqbmU=\r\nUseLog=0\r\nCestaLog=/tmp/a.log\r\n"
                  "FilesMoveTo=1\r\nFilesMoveToDir=/srv/archiv/\r\n");
    auto dialog = open();
    EXPECT_EQ(dialog->EditFTPServer->text(), "") << "a stored empty server stays empty";
    for (QLineEdit* field : {dialog->EditProxyAdresa, dialog->EditProxyPort, dialog->EditProxyLogin,
                             dialog->EditProxyHeslo}) {
        EXPECT_TRUE(field->text().isEmpty());
    }
    EXPECT_TRUE(allEnabled(proxyControls(*dialog), false));
    EXPECT_EQ(dialog->EditCestaLog->text(), "/tmp/a.log");
    EXPECT_TRUE(allEnabled(logControls(*dialog), false));
    EXPECT_TRUE(dialog->RadioDelete->isChecked());
    EXPECT_EQ(dialog->EditCestaAdresare->text(), "") << "the folder is shown only for a move";
}

TEST_F(FillFields, FilesMoveToAndDeleteLogAreLookedAtInTheirLow8Bits) {
    const struct {
        const char* filesMoveTo;
        const char* deleteLog;
        QRadioButton* TFormKonfigurace::*files;
        bool folderEnabled;
        bool lastOnly;
    } cases[] = {
        {"0", "0", &TFormKonfigurace::RadioLeave, false, false},
        {"1", "1", &TFormKonfigurace::RadioDelete, false, true},
        {"2", "2", &TFormKonfigurace::RadioMoveTo, true, true},
        {"257", "256", &TFormKonfigurace::RadioDelete, false, false},
        {"258", "257", &TFormKonfigurace::RadioMoveTo, true, true},
        {"3", "0x100", &TFormKonfigurace::RadioLeave, false, false},
        {"-1", "-1", &TFormKonfigurace::RadioLeave, false, true},
        {"dva", "ano", &TFormKonfigurace::RadioLeave, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("FilesMoveTo=") + c.filesMoveTo + " DeleteLog=" + c.deleteLog);
        writeSettings(std::string("UseLog=1\r\nFilesMoveTo=") + c.filesMoveTo +
                      "\r\nDeleteLog=" + c.deleteLog + "\r\nFilesMoveToDir=/srv/\r\n");
        auto dialog = open();
        EXPECT_TRUE(((*dialog).*c.files)->isChecked());
        EXPECT_TRUE(allEnabled(folderControls(*dialog), c.folderEnabled));
        EXPECT_EQ(dialog->RadioButtonLastOnly->isChecked(), c.lastOnly);
        EXPECT_EQ(dialog->RadioButtonAll->isChecked(), !c.lastOnly);
    }
}

TEST_F(FillFields, AMessageBoxClosingDoesNotFillTheFieldsAgain) {
    // Qt's real message box, so that the dialog is really deactivated and activated again.
    platform::setModalForTesting(nullptr);
    writeSettings("FTPServer=ftp.example.cz\r\nLogin=jan\r\n");
    auto dialog = open();
    QApplication::setActiveWindow(dialog.get());
    type(dialog->EditFTPServer, "typed.example.cz");
    type(dialog->EditLogin, "eva");
    writeSettings("FTPServer=other.example.cz\r\nLogin=petr\r\n");
    int boxes = 0;
    guitest::whenModalOpens<QMessageBox>([&](QMessageBox* box) {
        ++boxes;
        EXPECT_EQ(box->text(), qs("Vyplňte prosím své heslo pro připojení k FTP serveru. "));
        QTest::keyClick(box, Qt::Key_Return);
    });
    click(dialog->ButtonSave);
    QApplication::processEvents();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(dialog->EditFTPServer->text(), "typed.example.cz");
    EXPECT_EQ(dialog->EditLogin->text(), "eva");
    dialog->hide();
    dialog->show();
    EXPECT_EQ(dialog->EditLogin->text(), "eva") << "filled once per dialog";
}

} // namespace
