// The buttons that change fields only ("Výchozí IP", the two "Procházet"), through the scripted
// seam and Qt's real dialogs, and the enabling rules of the mouse and key handlers.

#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Unitpom.h"
#include "gui/konfigurace/KonfiguraceFixture.h"
#include "gui/support/ModalDriver.h"
#include "platform/Modal.h"
#include "platform/QtText.h"

using guitest::ModalCall;
using guitest::qs;
using platform::cz;

namespace {

class BrowseAndEnable : public guitest::KonfiguraceFixture {
protected:
    std::unique_ptr<TFormKonfigurace> dialog = open();

    // A key pressed and released as a keyboard does: each goes to the widget that has the focus
    // at that moment.
    static void pressAndRelease(Qt::Key key) {
        QTest::keyPress(QApplication::focusWidget(), key);
        QTest::keyRelease(QApplication::focusWidget(), key);
    }
    void focus(QWidget* widget) {
        QApplication::setActiveWindow(dialog.get());
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }
};

TEST_F(BrowseAndEnable, DefaultServerButtonFillsTheFieldOnly) {
    type(dialog->EditFTPServer, "jiny.example.cz");
    click(dialog->LMDButtonDefFTPServer);
    EXPECT_EQ(dialog->EditFTPServer->text(), "ftp.daloma.cz");
    EXPECT_EQ(settingsBytes(), "");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(BrowseAndEnable, LogBrowseAddsLogToANameWithoutExtension) {
    click(dialog->CheckBoxLog);
    const struct {
        const char* chosen; // nullptr: cancelled
        const char* field;
    } cases[] = {
        {"/var/log/sender", "/var/log/sender.log"}, {"/var/log/sender.txt", "/var/log/sender.txt"},
        {nullptr, "/var/log/sender.txt"},           {"/var/log.d/sender", "/var/log.d/sender.log"},
        {"/var/log/.sender", "/var/log/.sender"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen ? c.chosen : "cancelled");
        const QString before = dialog->EditCestaLog->text();
        if (c.chosen) {
            modal.answerSaveFile(qs(c.chosen));
        } else {
            modal.cancelSaveFile();
        }
        click(dialog->ButtonBrowseLog);
        EXPECT_EQ(dialog->EditCestaLog->text(), qs(c.field));
        ASSERT_FALSE(modal.calls().empty());
        EXPECT_EQ(modal.calls().back().kind, ModalCall::Kind::SaveFile);
        EXPECT_EQ(modal.calls().back().title, cz("Uložit log soubor"));
        EXPECT_EQ(modal.calls().back().path, platform::fromQString(before).value());
    }
    EXPECT_EQ(settingsBytes(), "");
}

TEST_F(BrowseAndEnable, FolderBrowseStartsAtTheFieldAndLeavesTheSeparatorToTheSave) {
    click(dialog->RadioMoveTo);
    modal.answerBrowseFolder("/srv/archiv");
    click(dialog->ButtonBrowse);
    EXPECT_EQ(dialog->EditCestaAdresare->text(), "/srv/archiv");
    modal.cancelBrowseFolder();
    click(dialog->ButtonBrowse);
    EXPECT_EQ(dialog->EditCestaAdresare->text(), "/srv/archiv");
    ASSERT_EQ(modal.calls().size(), 2u);
    EXPECT_EQ(modal.calls()[0].path, "");
    EXPECT_EQ(modal.calls()[1].path, "/srv/archiv");
}

TEST_F(BrowseAndEnable, AChosenPathTheCodePageCannotHoldIsRefused) {
    click(dialog->CheckBoxLog);
    click(dialog->RadioMoveTo);
    type(dialog->EditCestaLog, "/var/log/a.log");
    modal.answerSaveFile(qs("/var/log/例.log"));
    click(dialog->ButtonBrowseLog);
    modal.answerBrowseFolder(qs("/srv/例"));
    click(dialog->ButtonBrowse);
    const Text message =
        cz("Zvolenou cestu nelze použít, obsahuje znaky, které program neumí uložit:\n");
    EXPECT_EQ(modal.messages(),
              (std::vector<Text>{message + "/var/log/?.log", message + "/srv/?"}));
    EXPECT_EQ(dialog->EditCestaLog->text(), "/var/log/a.log");
    EXPECT_EQ(dialog->EditCestaAdresare->text(), "");
}

TEST_F(BrowseAndEnable, QtsRealSaveAndFolderDialogs) {
    platform::setModalForTesting(nullptr); // Qt's dialogs, not the script
    const std::string archiv = programFolder.file("archiv");
    std::filesystem::create_directory(archiv);
    click(dialog->CheckBoxLog);
    type(dialog->EditCestaLog, programFolder.file("stary.log"));
    QString title, filter, directory;
    guitest::whenModalOpens<QFileDialog>([&](QFileDialog* file) {
        title = file->windowTitle();
        filter = file->findChild<QComboBox*>("fileTypeCombo")->currentText();
        directory = file->directory().absolutePath();
        file->findChild<QLineEdit*>("fileNameEdit")->setText("novy");
        guitest::clickAccept(file);
    });
    click(dialog->ButtonBrowseLog);
    EXPECT_EQ(title, qs("Uložit log soubor"));
    EXPECT_EQ(filter, qs("Všechny soubory (*.*)"));
    EXPECT_EQ(directory, qs(programFolder.path()));
    EXPECT_EQ(dialog->EditCestaLog->text(), qs(programFolder.file("novy.log")));

    click(dialog->RadioMoveTo);
    type(dialog->EditCestaAdresare, archiv);
    bool foldersOnly = false;
    guitest::whenModalOpens<QFileDialog>([&](QFileDialog* folder) {
        foldersOnly = folder->fileMode() == QFileDialog::Directory &&
                      folder->testOption(QFileDialog::ShowDirsOnly);
        directory = folder->directory().absolutePath();
        guitest::clickAccept(folder);
    });
    click(dialog->ButtonBrowse);
    EXPECT_TRUE(foldersOnly);
    EXPECT_EQ(directory, qs(archiv));
    EXPECT_EQ(dialog->EditCestaAdresare->text(), qs(archiv));
}

TEST_F(BrowseAndEnable, CheckBoxesEnableTheirGroupsByMouseAndByKeyboard) {
    const struct {
        const char* name;
        QCheckBox* box;
        std::vector<QWidget*> group;
    } boxes[] = {
        {"proxy", dialog->CheckBoxProxy, proxyControls(*dialog)},
        {"log", dialog->CheckBoxLog, logControls(*dialog)},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.name);
        click(b.box);
        EXPECT_TRUE(b.box->isChecked());
        EXPECT_TRUE(allEnabled(b.group, true));
        click(b.box);
        EXPECT_TRUE(allEnabled(b.group, false));
        // The keyboard keeps the group in step as well, so that the proxy can be set up
        // without a mouse.
        focus(b.box);
        pressAndRelease(Qt::Key_Space);
        EXPECT_TRUE(b.box->isChecked());
        EXPECT_TRUE(allEnabled(b.group, true));
        pressAndRelease(Qt::Key_Space);
        EXPECT_FALSE(b.box->isChecked());
        EXPECT_TRUE(allEnabled(b.group, false));
    }
}

TEST_F(BrowseAndEnable, RadioButtonsEnableTheMoveFolderByMouseAndByKeyboard) {
    const auto folder = folderControls(*dialog);
    click(dialog->RadioMoveTo);
    EXPECT_TRUE(allEnabled(folder, true));
    click(dialog->RadioDelete);
    EXPECT_TRUE(allEnabled(folder, false));
    click(dialog->RadioMoveTo);
    click(dialog->RadioLeave);
    EXPECT_TRUE(allEnabled(folder, false));

    focus(dialog->RadioLeave);
    pressAndRelease(Qt::Key_Down);
    EXPECT_TRUE(dialog->RadioDelete->isChecked());
    EXPECT_TRUE(allEnabled(folder, false));
    pressAndRelease(Qt::Key_Down);
    EXPECT_TRUE(dialog->RadioMoveTo->isChecked());
    EXPECT_TRUE(allEnabled(folder, true));
    pressAndRelease(Qt::Key_Up);
    EXPECT_TRUE(dialog->RadioDelete->isChecked());
    EXPECT_TRUE(allEnabled(folder, false));
}

} // namespace
