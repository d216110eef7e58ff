// Saving: every key in its order, proxy keys only with the proxy on, the move folder only for a
// move, passwords never in plain form, a refused write, and the ways to close without writing.

#include <filesystem>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Unitpom.h"
#include "base64/PasswordText.h"
#include "gui/konfigurace/KonfiguraceFixture.h"
#include "support/ReadOnlyFolder.h"

using guitest::qs;
using platform::cz;

namespace {

class Save : public guitest::KonfiguraceFixture {
protected:
    Save() { std::filesystem::create_directory(archiv); }
    const std::string archiv = programFolder.file("archiv");
    const std::string logPath = programFolder.file("Log.log");

    // Every field filled: logging of the result only, proxy on, the files moved.
    void fillEverything(TFormKonfigurace& d) {
        fillLogin(d);
        click(d.CheckBoxLog);
        type(d.EditCestaLog, logPath);
        click(d.RadioButtonLastOnly);
        click(d.CheckBoxProxy);
        type(d.EditProxyAdresa, "proxy.local");
        type(d.EditProxyPort, "8021");
        type(d.EditProxyLogin, "pavel");
        type(d.EditProxyHeslo, "tajne");
        click(d.RadioMoveTo);
        type(d.EditCestaAdresare, archiv);
    }
};

TEST_F(Save, WritesEveryKeyInItsOrder) {
    auto dialog = open();
    fillEverything(*dialog);
    click(dialog->ButtonSave);
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(settingsBytes(),
              "[General]\r\nFTPServer=127.0.0.1\r\nLogin=jan\r\nHeslo=aGVzbG8=\r\nUseLog=1\r\n"
              "CestaLog=" +
                  logPath +
                  "\r\nDeleteLog=1\r\nProxy=1\r\nProxyLogin=pavel\r\nProxyHeslo=dGFqbmU=\r\n"
                  "ProxyAdresa=proxy.local\r\nProxyPort=8021\r\nFilesMoveTo=2\r\n"
                  "FilesMoveToDir=" +
                  archiv + "/\r\n");
}

TEST_F(Save, ProxyOffAndNoMoveKeepTheirStoredValues) {
    writeSettings("Proxy=1\r\nProxyAdresa=proxy.local\r\nProxyPort=8021\r\nProxyLogin=pavel\r\n"
                  "ProxyHeslo=dGFqbmU=\r\nFilesMoveTo=2\r\nFilesMoveToDir=/srv/archiv/\r\n");
    auto dialog = open();
    fillLogin(*dialog);
    click(dialog->CheckBoxProxy); // off
    click(dialog->RadioDelete);
    click(dialog->ButtonSave);
    EXPECT_EQ(settingsBytes(),
              "[General]\r\nProxy=0\r\nProxyAdresa=proxy.local\r\nProxyPort=8021\r\n"
              "ProxyLogin=pavel\r\nProxyHeslo=dGFqbmU=\r\nFilesMoveTo=1\r\n"
              "FilesMoveToDir=/srv/archiv/\r\nFTPServer=127.0.0.1\r\nLogin=jan\r\n"
              "Heslo=aGVzbG8=\r\nUseLog=0\r\nCestaLog=\r\nDeleteLog=0\r\n");

    // Switched on again in a later showing, the proxy fields start empty; saving overwrites.
    auto again = open();
    click(again->CheckBoxProxy);
    EXPECT_TRUE(again->EditProxyAdresa->text().isEmpty());
    EXPECT_TRUE(again->EditProxyHeslo->text().isEmpty());
    type(again->EditProxyAdresa, "novy.local");
    type(again->EditProxyPort, "21");
    click(again->ButtonSave);
    EXPECT_EQ(ReadSetting("", "Proxy", ""), "1");
    EXPECT_EQ(ReadSetting("", "ProxyAdresa", ""), "novy.local");
    EXPECT_EQ(ReadSetting("", "ProxyPort", ""), "21");
    EXPECT_EQ(ReadSetting("", "ProxyLogin", "?"), "");
    EXPECT_EQ(ReadSetting("", "ProxyHeslo", "?"), "");
}

TEST_F(Save, PasswordsAreNeverStoredPlainAndShowDecodedAgain) {
    // Windows-1250 letters, and one of 60 bytes, whose Base64 text passes a line's 76 characters.
    const std::string password = "Příliš žluťoučký kůň";
    const std::string proxyPassword = std::string(50, 'k') + "ĚŠČŘŽÝÁÍÉ!";
    ASSERT_EQ(cz(proxyPassword).size(), 60u);
    auto dialog = open();
    fillEverything(*dialog);
    type(dialog->EditHeslo, password);
    type(dialog->EditProxyHeslo, proxyPassword);
    click(dialog->ButtonSave);
    const std::string file = settingsBytes();
    EXPECT_EQ(file.find(cz(password)), std::string::npos);
    EXPECT_EQ(file.find(cz(proxyPassword)), std::string::npos);
    EXPECT_EQ(file.find(std::string(50, 'k')), std::string::npos);
    const Text stored = ReadSetting("", "ProxyHeslo", "");
    EXPECT_EQ(stored.size(), 80u) << "on one line";
    EXPECT_NE(file.find("\r\nProxyHeslo=" + stored + "\r\n"), std::string::npos);
    EXPECT_EQ(DecodePasswordFromSettings(stored), cz(proxyPassword));

    auto again = open();
    EXPECT_EQ(again->EditHeslo->text(), qs(password));
    EXPECT_EQ(again->EditProxyHeslo->text(), qs(proxyPassword));
    EXPECT_EQ(again->EditProxyHeslo->displayText(), QString(60, '*'));
}

TEST_F(Save, ARefusedWriteIsShownAndKeepsTheDialogOpen) {
    auto dialog = open();
    fillLogin(*dialog);
    testsupport::ReadOnlyFolder readOnly(programFolder.path());
    if (!readOnly.effective()) {
        GTEST_SKIP() << "the folder cannot be made read-only here";
    }
    click(dialog->ButtonSave);
    EXPECT_EQ(modal.messages(), std::vector<Text>{"Unable to write to " + settingsPath});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

TEST_F(Save, StornoEscAndTheCloseBoxWriteNothing) {
    const struct {
        const char* name;
        void (*close)(TFormKonfigurace&);
    } ways[] = {
        {"Storno", [](TFormKonfigurace& d) { click(d.LMDButton1); }},
        {"Esc", [](TFormKonfigurace& d) { QTest::keyClick(d.EditLogin, Qt::Key_Escape); }},
        {"close box", [](TFormKonfigurace& d) { d.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        auto dialog = open();
        fillEverything(*dialog);
        way.close(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(settingsBytes(), "");
    }
}

TEST_F(Save, EnterInAFieldSaves) {
    auto dialog = open();
    fillLogin(*dialog);
    QTest::keyClick(dialog->EditHeslo, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ReadSetting("", "Login", ""), "jan");
}

TEST_F(Save, TextThatTheCodePageCannotHoldIsRefusedWithTheFieldsName) {
    const struct {
        QLineEdit* TFormKonfigurace::*field;
        const char* name;
    } cases[] = {
        {&TFormKonfigurace::EditFTPServer, "Adresa FTP serveru"},
        {&TFormKonfigurace::EditHeslo, "Heslo"},
        {&TFormKonfigurace::EditProxyHeslo, "Heslo k proxy serveru"},
        {&TFormKonfigurace::EditCestaAdresare, "Přesunout do adresáře"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        guitest::ScriptedModal caseModal;
        auto dialog = open();
        fillEverything(*dialog);
        type((*dialog).*c.field, "ftp.例.cz");
        click(dialog->ButtonSave);
        EXPECT_EQ(caseModal.messages(),
                  std::vector<Text>{cz(std::string("Pole „") + c.name +
                                       "“ obsahuje znaky, které program neumí uložit.")});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(settingsBytes(), "");
    }
    // A field that is not saved may hold anything.
    guitest::ScriptedModal lastModal;
    auto dialog = open();
    fillLogin(*dialog);
    click(dialog->CheckBoxProxy);
    type(dialog->EditProxyLogin, "例");
    click(dialog->CheckBoxProxy);
    click(dialog->ButtonSave);
    EXPECT_TRUE(lastModal.messages().empty());
    EXPECT_EQ(ReadSetting("", "Proxy", ""), "0");
}

} // namespace
