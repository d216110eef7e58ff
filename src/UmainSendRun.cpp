// The send run: the checks of the settings, of gpg.exe and of the listed files, and storing the
// list that is about to be sent. The caption is the run's status line; the window stays
// responsive only through the pumping at fixed points.

#include <QPushButton>

#include "Umain.h"
#include "UmainMessages.h"
#include "Unitpom.h"
#include "platform/Files.h"
#include "platform/Modal.h"
#include "platform/Paths.h"

using platform::application;
using platform::cz;
using platform::modal;

namespace {

// Lets the window repaint and handle input once.
void pump() {
    application().ProcessMessages();
}

} // namespace

bool TForm1::GpgPresent() const {
    return platform::fileExists(platform::withTrailingSeparator(platform::programFolder()) +
                                "gpg.exe");
}

void TForm1::stopRun(const Text& message, const Text& savedCaption) {
    WriteLog(message, true);
    if (!AutoMode) {
        modal().ShowMessage(message);
    }
    setCaption(savedCaption);
    if (AutoMode) {
        application().Terminate();
    }
}

void TForm1::ButtonStartClick() {
    SetStartEnabled(false);
    const Text savedCaption = caption();
    // Every way out of the run, an exception included, puts the caption back and enables Start.
    struct ClosingSteps {
        TForm1& form;
        const Text& savedCaption;
        ~ClosingSteps() {
            form.setCaption(savedCaption);
            form.SetStartEnabled(true);
        }
    } closingSteps{*this, savedCaption};

    LogEnabled = ReadSettingInt("UseLog", 0) != 0;
    LogPath = ReadSetting("", "CestaLog", "");
    LogResultOnly = ReadSettingInt("DeleteLog", 0) != 0;
    if (LogEnabled) {
        TrimLog();
    }
    const Text separator(53, '-');
    WriteLog(separator, false);
    WriteLog(separator, false);
    WriteLog("Start ", true);

    setCaption(cz("Kontrola nastavení programu"));
    WriteLog(cz("Kontrola nastavení"), true);
    pump();
    if (!CheckSettingsComplete()) {
        stopRun(SettingsIncompleteMessage(), savedCaption);
        return;
    }

    WriteLog(cz("Kontrola GNU PG"), true);
    if (!GpgPresent()) {
        stopRun(cz("Program \"gpg.exe\" nebyl nalezen v adresáři aplikace."), savedCaption);
        return;
    }

    showStatus(cz("Kontrola seznamu souborů"));
    pump();
    Text badName;
    switch (CheckDataFile(badName)) {
    case 0:
        stopRun(cz("V seznamu nejsou žádné soubory."), savedCaption);
        return;
    case 2: // the bad files are logged already; the run goes on with the others
        if (!AutoMode) {
            modal().ShowMessage(cz("Soubor ") + badName +
                                cz(" neexistuje nebo má nulovou velikost."));
        }
        setCaption(savedCaption);
        break;
    case 3: // cancelled; an unattended run is ended by RunAutoMode
        if (!AutoMode) {
            modal().ShowMessage(cz("Všechny zadané soubory neexistují nebo mají nulovou "
                                   "velikost. Odesílání dat je zrušeno. "));
            setCaption(savedCaption);
            pump();
        } else {
            WriteLog(cz("Odesílání zrušeno - jen prázdné soubory."), true);
        }
        return;
    default:
        break;
    }
    SaveFileList();
    // Packing, encryption and the upload follow from here.
}
