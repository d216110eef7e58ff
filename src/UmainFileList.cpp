// The data file list: adding and removing files, checking them before a send, and storing the
// list in Settings.ini (count PocetSouboru in General, paths File0, File1, ... in Files).

#include <algorithm>
#include <limits>
#include <string>

#include <QListWidget>

#include "Umain.h"
#include "UmainMessages.h"
#include "Unitpom.h"
#include "platform/Files.h"
#include "platform/Modal.h"
#include "platform/Paths.h"
#include "platform/QtText.h"
#include "platform/TextFile.h"

using platform::cz;
using platform::modal;

namespace {

const Text kFilesSection = "Files";

// No archive holds more entries, so a larger stored count is a damaged file; reading that many
// keys would keep an unattended run busy for hours.
constexpr std::int32_t kMostListedFiles = 65535;

Text fileKey(int index) {
    return "File" + std::to_string(index);
}

// Blanks and control characters off both ends.
Text trimmed(const Text& text) {
    const auto isPadding = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto first = std::find_if_not(text.begin(), text.end(), isPadding);
    auto last = std::find_if_not(text.rbegin(), text.rend(), isPadding).base();
    return first < last ? Text(first, last) : Text{};
}

// The folder part of a chosen file as Qt gives it, without a trailing separator unless it is
// the root.
QString folderOf(const QString& path) {
    const auto last = path.lastIndexOf(QLatin1Char(platform::kPathSeparator));
    if (last < 0) {
        return {};
    }
    return last == 0 ? path.left(1) : path.left(last);
}

Text refusedPathsMessage(const QStringList& refused) {
    Text message = refused.size() == 1
                       ? cz("Soubor nelze přidat do seznamu, jeho cesta obsahuje znaky, které "
                            "program neumí uložit:")
                       : cz("Soubory nelze přidat do seznamu, jejich cesty obsahují znaky, které "
                            "program neumí uložit:");
    for (const QString& path : refused) {
        message += "\n" + platform::fromQStringLossy(path);
    }
    return message;
}

} // namespace

void TForm1::ButtonAddFilesClick() {
    const Text fallbackFolder = platform::currentFolder();
    OpenDialog.Title = cz("Přidat soubor(y) do seznamu...");
    OpenDialog.InitialDir = ReadSetting("", "LastFolder", fallbackFolder);
    if (!OpenDialog.Execute()) {
        return;
    }
    const QStringList& chosen = OpenDialog.Files();
    QStringList refused;
    for (const QString& file : chosen) {
        // A path that Windows-1250 cannot hold could be neither stored nor opened again.
        const auto path = platform::fromQString(file);
        if (!path) {
            refused.append(file);
        } else if (!FileInList(*path)) {
            addListItem(*path);
        }
    }
    if (!chosen.isEmpty()) {
        if (const auto folder = platform::fromQString(folderOf(chosen.constFirst()))) {
            WriteSetting("", "LastFolder", *folder);
        }
    }
    if (!refused.isEmpty()) {
        modal().ShowMessage(refusedPathsMessage(refused));
    }
}

void TForm1::ButtonRemoveFilesClick() {
    int index = 0;
    while (index < ListFiles->count()) {
        if (ListFiles->item(index)->isSelected()) {
            delete ListFiles->takeItem(index);
        } else {
            ++index;
        }
    }
}

bool TForm1::FileInList(const Text& path) const {
    const Text wanted = trimmed(path);
    const auto items = ListItems();
    return std::find(items.begin(), items.end(), wanted) != items.end();
}

int TForm1::CheckDataFile(Text& badName) {
    const auto items = ListItems();
    if (items.empty()) {
        return 0;
    }
    int outcome = 1;
    std::size_t missing = 0;
    std::size_t empty = 0;
    for (const Text& path : items) {
        if (!platform::fileExists(path)) {
            badName = path;
            WriteLog(cz("Soubor ") + path + cz(" neexistuje."), true);
            outcome = 2;
            ++missing;
        } else if (FileSizeOf(path) == 0) {
            badName = path;
            WriteLog(cz("Soubor ") + path + cz(" má nulovou velikost."), true);
            outcome = 2;
            ++empty;
        }
    }
    if (missing == items.size() || empty == items.size()) {
        WriteLog(cz("Všechny zadané soubory neexistují nebo mají nulovou velikost. Odesílání dat "
                    "je zrušeno. "),
                 true);
        return 3;
    }
    return outcome;
}

std::int32_t TForm1::FileSizeOf(const Text& path) const {
    if (!platform::fileExists(path)) {
        return 0;
    }
    auto file = platform::TextFile::open(path, platform::TextFile::Mode::Read);
    if (!file || !file->seek(0, platform::TextFile::Origin::End)) {
        return 0;
    }
    const std::int64_t size = file->tell();
    file->close();
    // Cutting a larger size to 32 bits could make a big file look empty.
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(size, 0, std::numeric_limits<std::int32_t>::max()));
}

void TForm1::SaveFileList() {
    const auto items = ListItems();
    EraseSettingsSection(kFilesSection);
    WriteSetting("", "PocetSouboru", std::to_string(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        WriteSetting(kFilesSection, fileKey(static_cast<int>(i)), items[i]);
    }
}

void TForm1::LoadFileList() {
    const std::int32_t count = std::min(ReadSettingInt("PocetSouboru", 0), kMostListedFiles);
    for (int i = 0; i < count; ++i) {
        addListItem(ReadSetting(kFilesSection, fileKey(i), ""));
    }
}

void TForm1::ButtonSaveClick() {
    if (!CheckSettingsComplete()) {
        modal().ShowMessage(SettingsIncompleteMessage());
        return;
    }
    WriteLog(cz("Kontrola GNU PG"), true);
    if (!GpgPresent()) {
        modal().ShowMessage(cz("Program \"gpg.exe\" nebyl nalezen v adresáři aplikace.\n\n"));
        return;
    }
    Text badName;
    switch (CheckDataFile(badName)) {
    case 0:
        modal().ShowMessage(cz("V seznamu nejsou žádné soubory."));
        return;
    case 2:
        if (!modal().AskYesNo(cz("Soubor ") + badName +
                                  cz(" neexistuje nebo má nulovou velikost. \n\nPřejete si "
                                     "přestro konfiguraci uložit ?"),
                              cz("Uložit konfiguraci"))) {
            return;
        }
        break;
    default:
        break;
    }
    SaveFileList();
    modal().ShowMessage(cz("Nastavení programu uloženo."));
}
