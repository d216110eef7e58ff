// Qt's real dialogs behind the modal seam, answered by a timer as a user would.

#include "platform/Modal.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/support/ModalDriver.h"
#include "platform/Application.h"
#include "platform/QtText.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

using guitest::clickAccept;
using guitest::whenModalOpens;
using platform::cz;
using platform::modal;
using platform::toQString;

namespace {

QString q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

TEST(QtDialogs, MessageBoxShowsPlainTextWithTheTitleNoIconAndOneOk) {
    const Text text = cz("Program \"gpg.exe\" nebyl nalezen.\n\n<b>není</b> značka");
    QString shownText, caption;
    QMessageBox::Icon icon = QMessageBox::Critical;
    Qt::TextFormat format = Qt::RichText;
    QList<QAbstractButton*> buttons;
    QMessageBox::StandardButton okRole = QMessageBox::NoButton;
    whenModalOpens<QMessageBox>([&](QMessageBox* box) {
        shownText = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        format = box->textFormat();
        buttons = box->buttons();
        okRole = box->standardButton(buttons.value(0));
        box->button(QMessageBox::Ok)->click();
    });
    modal().ShowMessage(text);
    EXPECT_EQ(shownText, toQString(text));
    EXPECT_EQ(caption, toQString(platform::application().Title()));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(buttons.size(), 1);
    EXPECT_EQ(okRole, QMessageBox::Ok);
}

TEST(QtDialogs, QuestionHasYesAndNoInCzechWithNoAsTheDefault) {
    const struct {
        const char* name;
        std::function<void(QMessageBox*)> user;
        bool expected;
    } cases[] = {
        {"Enter takes the default", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); },
         false},
        {"Esc", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, false},
        {"Yes clicked", [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, true},
    };
    for (const auto& c : cases) {
        QString caption, text, yes, no;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModalOpens<QMessageBox>([&](QMessageBox* box) {
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            c.user(box);
        });
        const bool answer = modal().AskYesNo(cz("Přejete si přestro konfiguraci uložit ?"),
                                             cz("Uložit konfiguraci"));
        EXPECT_EQ(answer, c.expected) << c.name;
        EXPECT_EQ(caption, QString::fromUtf8("Uložit konfiguraci")) << c.name;
        EXPECT_EQ(text, QString::fromUtf8("Přejete si přestro konfiguraci uložit ?")) << c.name;
        EXPECT_EQ(icon, QMessageBox::Question) << c.name;
        EXPECT_EQ(yes.remove('&'), "Ano") << c.name;
        EXPECT_EQ(no.remove('&'), "Ne") << c.name;
    }
}

TEST(QtDialogs, OpenDialogChoosesSeveralFilesInTheInitialFolder) {
    testsupport::TempFolder folder;
    testsupport::writeBytes(folder.file("a.txt"), "a");
    testsupport::writeBytes(folder.file("b c.dat"), "b");
    testsupport::writeBytes(folder.file("no-dot"), "c");
    QString title, directory;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    whenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        mode = dialog->fileMode();
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"b c.dat\" \"no-dot\" \"a.txt\"");
        clickAccept(dialog);
    });
    const auto chosen = modal().OpenFiles(cz("Přidat soubor(y) do seznamu..."), folder.path());
    EXPECT_EQ(title, QString::fromUtf8("Přidat soubor(y) do seznamu..."));
    EXPECT_EQ(directory, q(folder.path()));
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (QStringList{q(folder.file("b c.dat")), q(folder.file("no-dot")),
                                    q(folder.file("a.txt"))}));
}

TEST(QtDialogs, CancelledDialogsGiveNothing) {
    testsupport::TempFolder folder;
    const auto cancel = [](QFileDialog* dialog) { dialog->reject(); };
    whenModalOpens<QFileDialog>(cancel);
    EXPECT_EQ(modal().OpenFiles("title", folder.path()), std::nullopt);
    whenModalOpens<QFileDialog>(cancel);
    EXPECT_EQ(modal().SaveFile("title", folder.file("Log.log")), std::nullopt);
    whenModalOpens<QFileDialog>(cancel);
    EXPECT_EQ(modal().BrowseFolder(folder.path()), std::nullopt);
}

TEST(QtDialogs, SaveDialogShowsItsOneFilterAndEveryFileAndTakesAnExistingOne) {
    testsupport::TempFolder folder;
    testsupport::writeBytes(folder.file("Log.log"), "old log");
    QString title, filterShown, fileName;
    QStringList patterns;
    whenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filterShown = dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
        patterns = dialog->findChild<QFileSystemModel*>()->nameFilters();
        fileName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        clickAccept(dialog); // an existing file, taken without a question
    });
    const auto chosen = modal().SaveFile(cz("Uložit log soubor"), folder.file("Log.log"));
    EXPECT_EQ(title, QString::fromUtf8("Uložit log soubor"));
    EXPECT_EQ(filterShown, QString::fromUtf8("Všechny soubory (*.*)"));
    EXPECT_EQ(patterns, QStringList{"*"}) << "files without a dot are shown too";
    EXPECT_EQ(fileName, "Log.log");
    EXPECT_EQ(chosen, q(folder.file("Log.log")));
    EXPECT_EQ(testsupport::readBytes(folder.file("Log.log")), "old log");
}

TEST(QtDialogs, FolderDialogOffersFoldersOnlyFromTheInitialOne) {
    testsupport::TempFolder folder;
    QString directory;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool dirsOnly = false;
    whenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        directory = dialog->directory().absolutePath();
        mode = dialog->fileMode();
        dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
        clickAccept(dialog);
    });
    const auto chosen = modal().BrowseFolder(folder.path());
    EXPECT_EQ(directory, q(folder.path()));
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_TRUE(dirsOnly);
    EXPECT_EQ(chosen, q(folder.path()));
}

} // namespace
