// The send run up to storing the checked list: its log, its boxes, its caption and the Start
// button, in both kinds of run.

#include <filesystem>

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Unitpom.h"
#include "gui/main/MainWindowFixture.h"
#include "platform/IniFile.h"
#include "platform/QtText.h"
#include "support/FileBytes.h"
#include "support/ReadOnlyFolder.h"

using platform::application;
using platform::cz;
using testsupport::readBytes;

namespace {

const char* const kCaption = "Projekt DALOMA - Odesílání dat - verze 1.3";
const char* const kSettingsMessage = "V programu nejsou nastaveny všechny nezbytné přihlašovací "
                                     "údaje. \n\nUpravte nastavení stiskem tlačítka "
                                     "\"Konfigurace\". ";
const char* const kAllBadMessage = "Všechny zadané soubory neexistují nebo mají nulovou "
                                   "velikost. Odesílání dat je zrušeno. ";

class SendRun : public guitest::MainWindowFixture {
protected:
    std::unique_ptr<TForm1> form = makeForm();

    void list(const std::vector<std::string>& items) {
        for (const auto& item : items) {
            form->ListFiles->addItem(platform::toQString(item));
        }
    }
    Text caption() const { return platform::fromQStringLossy(form->windowTitle()); }
    // The lines up to the list check that every run which reaches it writes.
    static std::string upToListCheck() {
        return runStart() + stamped("Kontrola nastavení") + stamped("Kontrola GNU PG") +
               stamped("Kontrola seznamu souborů");
    }
};

TEST_F(SendRun, EmptyListInBothKindsOfRun) {
    for (bool unattended : {false, true}) {
        writeCompleteSettings();
        placeGpg();
        std::filesystem::remove(logPath);
        const auto shownBefore = modal.messages().size();
        form->AutoMode = unattended;
        form->ButtonStartClick();
        EXPECT_EQ(logBytes(), upToListCheck() + stamped("V seznamu nejsou žádné soubory."))
            << unattended;
        EXPECT_EQ(modal.messages().size() - shownBefore, unattended ? 0u : 1u) << unattended;
        EXPECT_EQ(caption(), cz(kCaption)) << unattended;
        EXPECT_TRUE(form->ButtonStart->isEnabled()) << unattended;
        EXPECT_EQ(application().Terminated(), unattended) << unattended;
    }
    EXPECT_EQ(modal.messages(), std::vector<Text>{cz("V seznamu nejsou žádné soubory.")});
}

TEST_F(SendRun, MissingSettingsStopBeforeAnythingIsStored) {
    writeSettings("UseLog=1\r\nCestaLog=" + logPath + "\r\nFTPServer=127.0.0.1\r\n");
    placeGpg();
    list({dataFile("a.dat", "a")});
    const std::string settingsBefore = readBytes(settingsPath);
    form->AutoMode = true;
    form->ButtonStartClick();
    EXPECT_EQ(logBytes(), runStart() + stamped("Kontrola nastavení") + stamped(kSettingsMessage));
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_EQ(readBytes(settingsPath), settingsBefore) << "the list was not stored";
    EXPECT_TRUE(application().Terminated());
}

TEST_F(SendRun, MissingGpgStopsTheRun) {
    writeCompleteSettings();
    list({dataFile("a.dat", "a")});
    form->ButtonStartClick();
    const std::string message = "Program \"gpg.exe\" nebyl nalezen v adresáři aplikace.";
    EXPECT_EQ(logBytes(), runStart() + stamped("Kontrola nastavení") + stamped("Kontrola GNU PG") +
                              stamped(message));
    EXPECT_EQ(modal.messages(), std::vector<Text>{cz(message)});
    EXPECT_FALSE(application().Terminated());
}

TEST_F(SendRun, AllFilesMissingCancelsTheRunWithoutEndingIt) {
    const std::string missing = programFolder.file("missing.dat");
    for (bool unattended : {false, true}) {
        writeCompleteSettings();
        placeGpg();
        form->ListFiles->clear();
        list({missing});
        std::filesystem::remove(logPath);
        const auto shownBefore = modal.messages().size();
        form->AutoMode = unattended;
        form->ButtonStartClick();
        const std::string checked = upToListCheck() +
                                    stamped("Soubor " + missing + " neexistuje.") +
                                    stamped(kAllBadMessage);
        EXPECT_EQ(logBytes(), unattended
                                  ? checked + stamped("Odesílání zrušeno - jen prázdné soubory.")
                                  : checked);
        EXPECT_EQ(modal.messages().size() - shownBefore, unattended ? 0u : 1u);
        EXPECT_EQ(ReadSetting("", "PocetSouboru", "none"), "none") << "the list was not stored";
        EXPECT_FALSE(application().Terminated()) << "RunAutoMode ends an unattended program";
        EXPECT_EQ(caption(), cz(kCaption));
    }
    EXPECT_EQ(modal.messages(), std::vector<Text>{cz(kAllBadMessage)});
}

TEST_F(SendRun, SomeBadFilesAreNamedAndTheRunGoesOnToStoreTheList) {
    writeCompleteSettings();
    placeGpg();
    const std::string good = dataFile("good.dat", "data");
    const std::string empty = dataFile("empty.dat", "");
    list({good, empty});
    form->ButtonStartClick();
    EXPECT_EQ(logBytes(), upToListCheck() + stamped("Soubor " + empty + " má nulovou velikost."));
    EXPECT_EQ(modal.messages(),
              std::vector<Text>{cz("Soubor " + empty + " neexistuje nebo má nulovou velikost.")});
    EXPECT_EQ(ReadSetting("", "PocetSouboru", ""), "2");
    EXPECT_EQ(ReadSetting("Files", "File0", ""), good);
    EXPECT_EQ(ReadSetting("Files", "File1", ""), empty);
    EXPECT_EQ(caption(), cz(kCaption));
}

TEST_F(SendRun, WithTheLogSwitchedOffNoFileIsTouched) {
    writeCompleteSettings(false);
    placeGpg();
    testsupport::writeBytes(logPath, std::string(100000, 'x'));
    form->ButtonStartClick();
    EXPECT_EQ(readBytes(logPath), std::string(100000, 'x')) << "neither trimmed nor appended";
    EXPECT_EQ(modal.messages(), std::vector<Text>{cz("V seznamu nejsou žádné soubory.")});
}

TEST_F(SendRun, ALogFolderThatDoesNotExistChangesNothingButTheLog) {
    writeSettings("FTPServer=s\r\nLogin=l\r\nHeslo=aA==\r\nProxy=0\r\nUseLog=1\r\nCestaLog=" +
                  programFolder.file("no/such/Log.log") + "\r\n");
    placeGpg();
    form->ButtonStartClick();
    EXPECT_EQ(modal.messages(), std::vector<Text>{cz("V seznamu nejsou žádné soubory.")});
    EXPECT_FALSE(std::filesystem::exists(programFolder.file("no")));
}

TEST_F(SendRun, AnOvergrownLogIsTrimmedBeforeTheRunWritesToIt) {
    writeCompleteSettings();
    placeGpg();
    testsupport::writeBytes(logPath, std::string(100000, 'x'));
    form->ButtonStartClick();
    EXPECT_EQ(logBytes(), std::string(10000, 'x') + "\r\n" + std::string(41, '-') + "\r\n" +
                              upToListCheck() + stamped("V seznamu nejsou žádné soubory."));
}

TEST_F(SendRun, ResultOnlyLogHoldsTheLastEntry) {
    writeCompleteSettings(true, true);
    placeGpg();
    form->ButtonStartClick();
    EXPECT_EQ(logBytes(), stamped("V seznamu nejsou žádné soubory."));
}

TEST_F(SendRun, StartIsDisabledWhileTheRunPumpsAndInItsBoxes) {
    writeCompleteSettings();
    placeGpg();
    std::vector<std::pair<Text, bool>> seen; // caption and Start's state
    const auto look = [&] { seen.emplace_back(caption(), form->ButtonStart->isEnabled()); };
    // One look at each of the two pumps before the box.
    QTimer::singleShot(0, form.get(), [&] {
        look();
        QTimer::singleShot(0, form.get(), look);
    });
    modal.whileOpen = [&](const guitest::ModalCall&) { look(); };
    form->ButtonStartClick();
    look();
    EXPECT_EQ(seen, (std::vector<std::pair<Text, bool>>{
                        {cz("Kontrola nastavení programu"), false},
                        {cz("Kontrola seznamu souborů"), false},
                        {cz("Kontrola seznamu souborů"), false}, // the box holds the run here
                        {cz(kCaption), true},
                    }));
}

TEST_F(SendRun, TheClickedButtonRunsAndOtherButtonsStayUsableWhileItPumps) {
    writeCompleteSettings();
    placeGpg();
    form->show();
    bool removeEnabled = false;
    QTimer::singleShot(0, form.get(),
                       [&] { removeEnabled = form->ButtonRemoveFiles->isEnabled(); });
    QTest::mouseClick(form->ButtonStart, Qt::LeftButton);
    EXPECT_TRUE(removeEnabled);
    EXPECT_EQ(modal.messages(), std::vector<Text>{cz("V seznamu nejsou žádné soubory.")});
    EXPECT_TRUE(form->ButtonStart->isEnabled());
}

class RefusedSettingsWrite : public SendRun {
protected:
    void SetUp() override {
        writeSettings("FTPServer=s\r\nLogin=l\r\nHeslo=aA==\r\nProxy=0\r\nUseLog=1\r\nCestaLog=" +
                      logFolder.file("Log.log") + "\r\n");
        placeGpg();
        list({dataFile("a.dat", "a")});
        readOnly = std::make_unique<testsupport::ReadOnlyFolder>(programFolder.path());
        if (!readOnly->effective()) {
            GTEST_SKIP() << "the program folder cannot be made read-only here";
        }
    }
    void TearDown() override { readOnly.reset(); }

    testsupport::TempFolder logFolder;
    std::unique_ptr<testsupport::ReadOnlyFolder> readOnly;
    const Text refused = "Unable to write to " + programFolder.file("Settings.ini");
    std::string logBefore() const {
        return runStart() + stamped("Kontrola nastavení") + stamped("Kontrola GNU PG") +
               stamped("Kontrola seznamu souborů");
    }
};

TEST_F(RefusedSettingsWrite, InteractiveTheErrorIsShownAndTheWindowRestored) {
    form->show();
    QTest::mouseClick(form->ButtonStart, Qt::LeftButton);
    EXPECT_EQ(modal.messages(), std::vector<Text>{refused});
    EXPECT_EQ(readBytes(logFolder.file("Log.log")), logBefore()) << "no run message for it";
    EXPECT_EQ(caption(), cz(kCaption));
    EXPECT_TRUE(form->ButtonStart->isEnabled());
    EXPECT_FALSE(application().Terminated());
}

TEST_F(RefusedSettingsWrite, UnattendedTheErrorIsLoggedAndTheProgramEnds) {
    auto unattended = makeForm({"/auto"});
    unattended->ListFiles->addItem(form->ListFiles->item(0)->text());
    unattended->RunAutoMode();
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_EQ(readBytes(logFolder.file("Log.log")), logBefore() + stamped(refused));
    EXPECT_TRUE(application().Terminated());
    EXPECT_TRUE(unattended->ButtonStart->isEnabled());
}

} // namespace
