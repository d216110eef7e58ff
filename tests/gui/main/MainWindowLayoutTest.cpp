// The main window as designed: caption, frame, size, components, captions and tab order; and
// the add button through Qt's real open dialog.

#include <algorithm>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "Unitpom.h"
#include "gui/main/MainWindowFixture.h"
#include "gui/support/ModalDriver.h"
#include "platform/Modal.h"

namespace {

class MainWindowLayout : public guitest::MainWindowFixture {
protected:
    std::unique_ptr<TForm1> form = makeForm();
};

TEST_F(MainWindowLayout, CaptionFrameAndClientArea) {
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Projekt DALOMA - Odesílání dat - verze 1.3"));
    EXPECT_EQ(form->size(), QSize(514, 262));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "fixed size";
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form->font().pixelSize(), 11);
    form->show();
    const QPoint offCentre = form->frameGeometry().center() -
                             QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1) << "centred on the screen";
}

TEST_F(MainWindowLayout, ComponentsWithTheirCaptionsPlacesAndTabOrder) {
    const struct {
        QWidget* widget;
        const char* caption;
        QRect geometry;
    } components[] = {
        {form->ButtonStart, "Odeslat soubory", {409, 208, 96, 41}},
        {form->ListFiles, nullptr, {16, 8, 377, 241}},
        {form->ButtonAddFiles, "Přidat soubor(y)", {409, 8, 96, 41}},
        {form->ButtonRemoveFiles, "Smazat soubor(y)", {409, 58, 96, 41}},
        {form->ButtonKonfigurace, "Konfigurace", {409, 108, 96, 41}},
        {form->ButtonSave, "Uložit nastavení", {409, 158, 96, 41}},
    };
    std::vector<QWidget*> designed;
    for (const auto& c : components) {
        EXPECT_EQ(c.widget->geometry(), c.geometry) << c.caption;
        if (c.caption) {
            EXPECT_EQ(static_cast<QPushButton*>(c.widget)->text(), QString::fromUtf8(c.caption));
        }
        EXPECT_TRUE(c.widget->focusPolicy() & Qt::TabFocus);
        designed.push_back(c.widget);
    }
    // The tab order: the focus chain from the Start button, leaving out the list's own parts.
    std::vector<QWidget*> tabOrder;
    QWidget* widget = form->ButtonStart;
    do {
        if (std::find(designed.begin(), designed.end(), widget) != designed.end()) {
            tabOrder.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != form->ButtonStart && tabOrder.size() <= designed.size());
    EXPECT_EQ(tabOrder, designed);
}

TEST_F(MainWindowLayout, ListSelectsSeveralItemsOfThirteenPixels) {
    EXPECT_EQ(form->ListFiles->selectionMode(), QAbstractItemView::ExtendedSelection);
    form->ListFiles->addItem("/data/a.txt");
    form->show();
    EXPECT_EQ(form->ListFiles->visualItemRect(form->ListFiles->item(0)).height(), 13);
}

TEST_F(MainWindowLayout, AddButtonThroughQtsRealOpenDialog) {
    platform::setModalForTesting(nullptr); // Qt's dialogs, not the script
    const std::string a = dataFile("a.txt", "a");
    dataFile("b.txt", "b");
    WriteSetting("", "LastFolder", programFolder.path());
    QString title, directory;
    guitest::whenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"a.txt\" \"b.txt\"");
        guitest::clickAccept(dialog);
    });
    form->show();
    form->ButtonAddFiles->click();
    EXPECT_EQ(title, QString::fromUtf8("Přidat soubor(y) do seznamu..."));
    EXPECT_EQ(directory, QString::fromStdString(programFolder.path()));
    EXPECT_EQ(form->ListItems(), (std::vector<Text>{a, programFolder.file("b.txt")}));
    EXPECT_EQ(ReadSetting("", "LastFolder", ""), programFolder.path());
}

} // namespace
