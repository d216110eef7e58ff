// The check of the input before a save: its order and messages, the completion of the log path
// and of the move folder, and the proxy port's conversion. A refused input writes nothing and
// keeps the dialog open with what was typed.

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Unitpom.h"
#include "gui/konfigurace/KonfiguraceFixture.h"

using guitest::qs;
using platform::cz;

namespace {

class ValidateInput : public guitest::KonfiguraceFixture {
protected:
    ValidateInput() {
        std::filesystem::create_directory(logs);
        std::filesystem::create_directory(archiv);
    }
    const std::string logs = programFolder.file("logs");
    const std::string archiv = programFolder.file("archiv");
    const std::string missing = programFolder.file("chybi");

    static void moveTo(TFormKonfigurace& d, const std::string& folder) {
        click(d.RadioMoveTo);
        type(d.EditCestaAdresare, folder);
    }
    static void proxy(TFormKonfigurace& d, const std::string& address, const std::string& port) {
        click(d.CheckBoxProxy);
        type(d.EditProxyAdresa, address);
        type(d.EditProxyPort, port);
    }
};

const char* const kPortMessage = "Port proxy serveru musí být celé číslo v rozmezí 1 - 65535. ";

TEST_F(ValidateInput, RefusedInputGivesItsMessageAndWritesNothing) {
    using Input = std::function<void(TFormKonfigurace&)>;
    const struct {
        const char* name;
        Input input; // after server, login and password have been filled
        const char* message;
    } cases[] = {
        {"empty server", [](auto& d) { type(d.EditFTPServer, ""); },
         "Vyplňte prosím adresu cílového FTP serveru. "},
        {"a blank server is not empty",
         [](auto& d) {
             type(d.EditFTPServer, " ");
             type(d.EditLogin, "");
         },
         "Vyplňte prosím své uživatelské jméno (Login) pro připojení k FTP serveru. "},
        {"empty password", [](auto& d) { type(d.EditHeslo, ""); },
         "Vyplňte prosím své heslo pro připojení k FTP serveru. "},
        {"bare log file name",
         [](auto& d) {
             click(d.CheckBoxLog);
             type(d.EditCestaLog, "Log.log");
         },
         "Adresář s log souborem neexistuje."},
        {"log in a missing folder, checked with logging off too",
         [this](auto& d) {
             click(d.CheckBoxLog);
             type(d.EditCestaLog, missing + "/Log.log");
             click(d.CheckBoxLog);
         },
         "Adresář s log souborem neexistuje."},
        {"logging without a path", [](auto& d) { click(d.CheckBoxLog); },
         "Adresář s log souborem není nastaven."},
        {"move without a folder", [](auto& d) { moveTo(d, ""); },
         "Není nastaven adresář pro přesun zdrojových souborů."},
        {"move to a missing folder", [this](auto& d) { moveTo(d, missing); },
         "Neexistuje adresář pro přesun zdrojových souborů."},
        {"proxy without address", [](auto& d) { proxy(d, "", "21"); },
         "Vyplňte prosím adresu proxy serveru. "},
        {"proxy without port", [](auto& d) { proxy(d, "proxy.local", ""); },
         "Vyplňte prosím port proxy serveru. "},
        {"port 0", [](auto& d) { proxy(d, "proxy.local", "0"); }, kPortMessage},
        {"port 65536", [](auto& d) { proxy(d, "proxy.local", "65536"); }, kPortMessage},
        {"port -21", [](auto& d) { proxy(d, "proxy.local", "-21"); }, kPortMessage},
        {"port with letters", [](auto& d) { proxy(d, "proxy.local", "21a"); }, kPortMessage},
        {"port with a trailing blank", [](auto& d) { proxy(d, "proxy.local", "21 "); },
         kPortMessage},
        {"decimal port", [](auto& d) { proxy(d, "proxy.local", "2.1"); }, kPortMessage},
        {"hexadecimal 65536", [](auto& d) { proxy(d, "proxy.local", "$10000"); }, kPortMessage},
        {"hexadecimal prefix alone", [](auto& d) { proxy(d, "proxy.local", "0x"); }, kPortMessage},
        {"beyond 32 bits", [](auto& d) { proxy(d, "proxy.local", "4294967317"); }, kPortMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        guitest::ScriptedModal caseModal;
        auto dialog = open();
        fillLogin(*dialog);
        c.input(*dialog);
        click(dialog->ButtonSave);
        EXPECT_EQ(caseModal.messages(), std::vector<Text>{cz(c.message)});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(settingsBytes(), "");
    }
}

TEST_F(ValidateInput, AcceptedInputIsStoredWithItsCompletions) {
    using Input = std::function<void(TFormKonfigurace&)>;
    using Keys = std::vector<std::pair<const char*, std::string>>;
    const struct {
        const char* name;
        Input input;
        Keys stored;
    } cases[] = {
        {"a log folder gets Log.log",
         [this](auto& d) {
             click(d.CheckBoxLog);
             type(d.EditCestaLog, logs + "/");
         },
         {{"UseLog", "1"}, {"CestaLog", logs + "/Log.log"}}},
        {"a folder named without separator is a file in its parent",
         [this](auto& d) {
             click(d.CheckBoxLog);
             type(d.EditCestaLog, logs);
         },
         {{"CestaLog", logs}}},
        {"the root gets Log.log",
         [](auto& d) {
             click(d.CheckBoxLog);
             type(d.EditCestaLog, "/");
         },
         {{"CestaLog", "/Log.log"}}},
        {"no log and no path", [](auto&) {}, {{"UseLog", "0"}, {"CestaLog", ""}}},
        {"move folder gets its separator",
         [this](auto& d) { moveTo(d, archiv); },
         {{"FilesMoveTo", "2"}, {"FilesMoveToDir", archiv + "/"}}},
        {"move folder with its separator",
         [this](auto& d) { moveTo(d, archiv + "/"); },
         {{"FilesMoveToDir", archiv + "/"}}},
        {"move to the root", [](auto& d) { moveTo(d, "/"); }, {{"FilesMoveToDir", "/"}}},
        {"blank server and login",
         [](auto& d) {
             type(d.EditFTPServer, " ");
             type(d.EditLogin, " ");
         },
         {{"FTPServer", ""}, {"Login", ""}}}, // trimmed by the profile file when read
        {"port 1",
         [](auto& d) { proxy(d, "proxy.local", "1"); },
         {{"Proxy", "1"}, {"ProxyAdresa", "proxy.local"}, {"ProxyPort", "1"}}},
        {"port 65535", [](auto& d) { proxy(d, "proxy.local", "65535"); }, {{"ProxyPort", "65535"}}},
        {"leading blanks",
         [](auto& d) { proxy(d, "proxy.local", "  21"); },
         {{"ProxyPort", "21"}}}, // trimmed by the profile file when read
        {"sign", [](auto& d) { proxy(d, "proxy.local", "+21"); }, {{"ProxyPort", "+21"}}},
        {"hexadecimal after $",
         [](auto& d) { proxy(d, "proxy.local", "$15"); },
         {{"ProxyPort", "$15"}}},
        {"hexadecimal after x",
         [](auto& d) { proxy(d, "proxy.local", "xFFFF"); },
         {{"ProxyPort", "xFFFF"}}},
        {"hexadecimal after 0x",
         [](auto& d) { proxy(d, "proxy.local", "0x15"); },
         {{"ProxyPort", "0x15"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(settingsPath);
        guitest::ScriptedModal caseModal;
        auto dialog = open();
        fillLogin(*dialog);
        c.input(*dialog);
        click(dialog->ButtonSave);
        EXPECT_EQ(caseModal.messages(), std::vector<Text>{});
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        for (const auto& [key, value] : c.stored) {
            EXPECT_EQ(ReadSetting("", key, "?"), value) << key;
        }
    }
}

TEST_F(ValidateInput, CorrectionsAndTypedFieldsStayWhenALaterStepFails) {
    auto dialog = open();
    type(dialog->EditFTPServer, "ftp.example.cz");
    type(dialog->EditLogin, "jan");
    type(dialog->EditHeslo, "heslo");
    click(dialog->CheckBoxLog);
    type(dialog->EditCestaLog, logs + "/");
    moveTo(*dialog, missing);
    click(dialog->ButtonSave);
    EXPECT_EQ(modal.messages(),
              std::vector<Text>{cz("Neexistuje adresář pro přesun zdrojových souborů.")});
    EXPECT_EQ(dialog->EditCestaLog->text(), qs(logs + "/Log.log"));
    EXPECT_EQ(dialog->EditCestaAdresare->text(), qs(missing + "/"));
    EXPECT_EQ(dialog->EditFTPServer->text(), "ftp.example.cz");
    EXPECT_EQ(dialog->EditHeslo->text(), "heslo");
    EXPECT_EQ(settingsBytes(), "");

    // Corrected, the next save passes; the completed texts are not completed twice.
    moveTo(*dialog, archiv);
    proxy(*dialog, "proxy.local", "0");
    click(dialog->ButtonSave);
    EXPECT_EQ(modal.messages().back(), cz(kPortMessage));
    EXPECT_EQ(dialog->EditCestaLog->text(), qs(logs + "/Log.log"));
    EXPECT_EQ(dialog->EditCestaAdresare->text(), qs(archiv + "/"));
    type(dialog->EditProxyPort, "21");
    click(dialog->ButtonSave);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ReadSetting("", "CestaLog", ""), logs + "/Log.log");
    EXPECT_EQ(ReadSetting("", "FilesMoveToDir", ""), archiv + "/");
}

} // namespace
