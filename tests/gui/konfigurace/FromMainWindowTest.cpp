// The dialog as the main window's "Konfigurace" button opens it: modal, destroyed when closed,
// without a second loading of the file list; and a configuration saved there that the real
// program's unattended run accepts.

#include <filesystem>
#include <regex>
#include <sstream>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "Umain.h"
#include "gui/konfigurace/KonfiguraceFixture.h"
#include "gui/support/ModalDriver.h"
#include "platform/Process.h"
#include "support/FileBytes.h"

using platform::cz;

namespace fs = std::filesystem;

namespace {

class FromMainWindow : public guitest::KonfiguraceFixture {
protected:
    // The main window shown, its first activation done.
    std::unique_ptr<TForm1> showMainWindow() {
        auto form = std::make_unique<TForm1>(nullptr, std::vector<Text>{});
        form->show();
        QApplication::processEvents();
        return form;
    }

    // Clicks "Konfigurace"; `whileOpen` acts in the dialog, which must be closed at the end.
    void configure(TForm1& form, std::function<void(TFormKonfigurace&)> whileOpen) {
        bool opened = false;
        guitest::whenModalOpens<QDialog>([&](QDialog* modalDialog) {
            auto* dialog = dynamic_cast<TFormKonfigurace*>(modalDialog);
            ASSERT_NE(dialog, nullptr) << "another dialog opened";
            opened = true;
            EXPECT_EQ(dialog->parentWidget(), &form);
            const QPoint offset = dialog->geometry().center() - form.geometry().center();
            EXPECT_LE(offset.manhattanLength(), 2) << "centred over the main window";
            whileOpen(*dialog);
            EXPECT_FALSE(dialog->isVisible()) << "the dialog was left open";
        });
        click(form.ButtonKonfigurace);
        EXPECT_TRUE(opened);
        EXPECT_TRUE(form.findChildren<QDialog*>().isEmpty()) << "destroyed when closed";
    }
};

TEST_F(FromMainWindow, OpeningAndClosingDoesNotLoadTheListAgain) {
    testsupport::writeBytes(settingsPath, "[General]\r\nPocetSouboru=2\r\n[Files]\r\n"
                                          "File0=/data/a.txt\r\nFile1=/data/b.txt\r\n");
    auto form = showMainWindow();
    ASSERT_EQ(form->ListFiles->count(), 2);
    configure(*form, [](TFormKonfigurace& dialog) { click(dialog.LMDButton1); });
    configure(*form, [](TFormKonfigurace& dialog) {
        fillLogin(dialog);
        click(dialog.ButtonSave);
    });
    QApplication::setActiveWindow(form.get());
    QApplication::processEvents();
    EXPECT_EQ(form->ListItems(), (std::vector<Text>{"/data/a.txt", "/data/b.txt"}));
}

// A configuration saved in the dialog, then the real program started with /auto on it.
class SavedConfigurationRun : public FromMainWindow {
protected:
    void SetUp() override {
        fs::copy_file(SENDER_PROJEKT, programFolder.file("Projekt"));
        fs::create_symlink(SENDER_GPG, programFolder.file("gpg.exe"));
    }

    // The log's first lines, their time stamps taken off.
    std::vector<std::string> logLines(std::size_t count) const {
        const std::regex stamp(R"(^\d{1,2}\.\d{1,2}\.\d{4} \d{1,2}:\d{1,2}:\d{1,2} )");
        std::vector<std::string> lines;
        std::istringstream log(testsupport::readBytes(programFolder.file("Log.log")));
        for (std::string line; lines.size() < count && std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            std::smatch found;
            lines.push_back(std::regex_search(line, found, stamp) ? "@ " + found.suffix().str()
                                                                  : line);
        }
        return lines;
    }
};

TEST_F(SavedConfigurationRun, TheUnattendedRunGetsPastTheSettingsCheck) {
    const struct {
        const char* name;
        bool proxy;
    } cases[] = {{"direct", false}, {"through a proxy", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(settingsPath);
        fs::remove(programFolder.file("Log.log"));
        auto form = showMainWindow();
        configure(*form, [&](TFormKonfigurace& dialog) {
            type(dialog.EditLogin, "jan");
            type(dialog.EditHeslo, cz("heslo"));
            click(dialog.CheckBoxLog);
            type(dialog.EditCestaLog, programFolder.path() + "/"); // completed with Log.log
            if (c.proxy) {
                click(dialog.CheckBoxProxy);
                type(dialog.EditProxyAdresa, "127.0.0.1");
                type(dialog.EditProxyPort, "2121");
            }
            click(dialog.ButtonSave);
        });
        form.reset();
        ASSERT_EQ(platform::runAndWait("/usr/bin/timeout",
                                       {"60", programFolder.file("Projekt"), "/auto"}),
                  0);
        const std::string separator(53, '-');
        EXPECT_EQ(logLines(5),
                  (std::vector<std::string>{separator, separator, "@ Start ",
                                            cz("@ Kontrola nastavení"), "@ Kontrola GNU PG"}));
    }
}

} // namespace
