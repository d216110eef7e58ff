// The data file list: adding, removing, checking, storing and loading, and the save button.

#include <filesystem>

#include <QListWidget>

#include "Unitpom.h"
#include "gui/main/MainWindowFixture.h"
#include "platform/Paths.h"
#include "platform/QtText.h"
#include "support/FileBytes.h"

using guitest::ModalCall;
using platform::cz;
using testsupport::readBytes;

namespace {

QString q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

class FileList : public guitest::MainWindowFixture {
protected:
    std::unique_ptr<TForm1> form = makeForm();

    void setItems(const std::vector<std::string>& items) {
        form->ListFiles->clear();
        for (const auto& item : items) {
            form->ListFiles->addItem(platform::toQString(item));
        }
    }
    void logEverything() {
        form->LogEnabled = true;
        form->LogPath = logPath;
    }
};

TEST_F(FileList, AddSkipsExactDuplicatesAndAlwaysWritesLastFolder) {
    const std::string a = "/data/in/a.txt";
    form->ListFiles->addItem(q(a));
    modal.answerOpenFiles({q(a), q("/data/in/A.txt"), q("/data/in/b.txt")});
    form->ButtonAddFilesClick();
    EXPECT_EQ(form->ListItems(), (std::vector<Text>{a, "/data/in/A.txt", "/data/in/b.txt"}));
    EXPECT_EQ(ReadSetting("", "LastFolder", "?"), "/data/in");

    modal.answerOpenFiles({q("/data/in/b.txt")});
    std::filesystem::remove(settingsPath);
    form->ButtonAddFilesClick();
    EXPECT_EQ(form->ListFiles->count(), 3) << "every chosen file was already listed";
    EXPECT_EQ(ReadSetting("", "LastFolder", "?"), "/data/in");
}

TEST_F(FileList, AddOpensTheTitledDialogInLastFolderOrTheCurrentFolder) {
    modal.cancelOpenFiles();
    form->ButtonAddFilesClick();
    writeSettings("LastFolder=/srv/data\r\n");
    modal.cancelOpenFiles();
    form->ButtonAddFilesClick();
    ASSERT_EQ(modal.calls().size(), 2u);
    for (const ModalCall& call : modal.calls()) {
        EXPECT_EQ(call.kind, ModalCall::Kind::OpenFiles);
        EXPECT_EQ(call.title, cz("Přidat soubor(y) do seznamu..."));
    }
    EXPECT_EQ(modal.calls()[0].path, platform::currentFolder());
    EXPECT_EQ(modal.calls()[1].path, "/srv/data");
}

TEST_F(FileList, CancelledAddChangesNothing) {
    modal.cancelOpenFiles();
    form->ButtonAddFilesClick();
    EXPECT_EQ(form->ListFiles->count(), 0);
    EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

TEST_F(FileList, LastFolderOfAFileInTheRootIsTheRoot) {
    modal.answerOpenFiles({q("/a.txt"), q("/data/b.txt")});
    form->ButtonAddFilesClick();
    EXPECT_EQ(ReadSetting("", "LastFolder", "?"), "/");
}

TEST_F(FileList, AFileWhosePathTheCodePageCannotHoldIsRefusedWithAMessage) {
    modal.answerOpenFiles({q("/data/\xE4\xB8\xAD.txt"), q("/data/Příliš žluťoučký.txt")});
    form->ButtonAddFilesClick();
    EXPECT_EQ(form->ListItems(), (std::vector<Text>{cz("/data/Příliš žluťoučký.txt")}));
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0], cz("Soubor nelze přidat do seznamu, jeho cesta obsahuje "
                                      "znaky, které program neumí uložit:\n/data/?.txt"));
    EXPECT_EQ(ReadSetting("", "LastFolder", "?"), "/data");
}

TEST_F(FileList, RemoveDeletesEverySelectedItem) {
    const struct {
        const char* name;
        std::vector<int> selected;
        std::vector<Text> left;
    } cases[] = {
        {"two adjacent", {1, 2}, {"a", "d"}},
        {"first and last", {0, 3}, {"b", "c"}},
        {"all", {0, 1, 2, 3}, {}},
        {"none", {}, {"a", "b", "c", "d"}},
    };
    for (const auto& c : cases) {
        setItems({"a", "b", "c", "d"});
        for (int row : c.selected) {
            form->ListFiles->item(row)->setSelected(true);
        }
        form->ButtonRemoveFilesClick();
        EXPECT_EQ(form->ListItems(), c.left) << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

TEST_F(FileList, FileInListTrimsTheQueryAndComparesBytes) {
    setItems({"/data/a.txt", cz("/data/č.txt")});
    EXPECT_TRUE(form->FileInList(" \t/data/a.txt\r\n"));
    EXPECT_TRUE(form->FileInList(cz("/data/č.txt")));
    EXPECT_FALSE(form->FileInList("/data/A.txt"));
    EXPECT_FALSE(form->FileInList(cz("/data/Č.txt")));
    EXPECT_FALSE(form->FileInList("/data/a.tx"));
}

TEST_F(FileList, CheckDataFileOutcomesAndTheirLogLines) {
    const std::string good = dataFile("good.dat", "data");
    const std::string empty = dataFile("empty.dat", "");
    const std::string empty2 = dataFile("empty2.dat", "");
    const std::string missing = programFolder.file("missing.dat");
    const std::string missing2 = programFolder.file("missing2.dat");
    const std::string folder = programFolder.path();
    const std::string allBad =
        stamped("Všechny zadané soubory neexistují nebo mají nulovou velikost. Odesílání dat je "
                "zrušeno. ");
    const auto gone = [](const std::string& path) {
        return stamped("Soubor " + path + " neexistuje.");
    };
    const auto zero = [](const std::string& path) {
        return stamped("Soubor " + path + " má nulovou velikost.");
    };
    const struct {
        const char* name;
        std::vector<std::string> items;
        int outcome;
        std::string badName;
        std::string log;
    } cases[] = {
        {"empty list", {}, 0, "unchanged", ""},
        {"all good", {good}, 1, "unchanged", ""},
        {"missing then empty", {missing, empty}, 2, empty, gone(missing) + zero(empty)},
        {"good and missing", {missing, good}, 2, missing, gone(missing)},
        {"three missing",
         {missing, missing2, missing},
         3,
         missing,
         gone(missing) + gone(missing2) + gone(missing) + allBad},
        {"all empty", {empty, empty2}, 3, empty2, zero(empty) + zero(empty2) + allBad},
        {"some missing, the others empty", {missing, empty}, 2, empty, gone(missing) + zero(empty)},
        {"a folder is no file", {folder, good}, 2, folder, gone(folder)},
        {"an empty item", {"", good}, 2, "", gone("")},
    };
    logEverything();
    for (const auto& c : cases) {
        std::filesystem::remove(logPath);
        setItems(c.items);
        Text badName = "unchanged";
        EXPECT_EQ(form->CheckDataFile(badName), c.outcome) << c.name;
        EXPECT_EQ(badName, c.badName) << c.name;
        EXPECT_EQ(logBytes(), c.log) << c.name;
    }
}

TEST_F(FileList, FileSizeOfCountsBytesAndGivesZeroForWhatIsNoFile) {
    EXPECT_EQ(form->FileSizeOf(dataFile("crlf.txt", "a\r\nb\r\n")), 6);
    EXPECT_EQ(form->FileSizeOf(dataFile("empty.txt", "")), 0);
    EXPECT_EQ(form->FileSizeOf(programFolder.file("missing")), 0);
    EXPECT_EQ(form->FileSizeOf(programFolder.path()), 0);
}

TEST_F(FileList, FileSizeOfAFileBeyondTheIntegerRangeIsNotZero) {
    const std::string big = programFolder.file("big.dat");
    testsupport::writeBytes(big, "");
    std::error_code error;
    std::filesystem::resize_file(big, 4ull << 30, error); // sparse: 4 GiB without the disk space
    if (error) {
        GTEST_SKIP() << "cannot make a sparse 4 GiB file here";
    }
    EXPECT_EQ(form->FileSizeOf(big), 2147483647);
    setItems({big});
    Text badName;
    EXPECT_EQ(form->CheckDataFile(badName), 1) << "4 GiB cut to 32 bits would read as empty";
}

TEST_F(FileList, SaveReplacesTheStoredListAndLoadAppendsIt) {
    setItems({"/d/1", "/d/2", "/d/3", "/d/4", "/d/5"});
    form->SaveFileList();
    setItems({"/d/x", cz("/d/ž")});
    form->SaveFileList();
    EXPECT_EQ(readBytes(settingsPath),
              "[General]\r\nPocetSouboru=2\r\n[Files]\r\nFile0=/d/x\r\nFile1=" + cz("/d/ž") +
                  "\r\n");

    auto other = makeForm();
    other->ListFiles->addItem("already");
    other->LoadFileList();
    EXPECT_EQ(other->ListItems(), (std::vector<Text>{"already", "/d/x", cz("/d/ž")}));
}

TEST_F(FileList, LoadGivesAnEmptyItemForEveryMissingKey) {
    const struct {
        const char* name;
        std::string general;
        std::string files;
        std::vector<Text> items;
    } cases[] = {
        {"count larger than the keys",
         "PocetSouboru=3\r\n",
         "File0=/a\r\nFile2=/c\r\n",
         {"/a", "", "/c"}},
        {"no count", "", "File0=/a\r\n", {}},
        {"negative count", "PocetSouboru=-2\r\n", "File0=/a\r\n", {}},
        {"count not a number", "PocetSouboru=zwei\r\n", "File0=/a\r\n", {}},
        {"hexadecimal count", "PocetSouboru=0x1\r\n", "File0=/a\r\nFile1=/b\r\n", {"/a"}},
    };
    for (const auto& c : cases) {
        writeSettings(c.general, c.files);
        auto loaded = makeForm();
        loaded->LoadFileList();
        EXPECT_EQ(loaded->ListItems(), c.items) << c.name;
    }
}

TEST_F(FileList, ADamagedHugeCountLoadsNoMoreItemsThanAnArchiveCanHold) {
    writeSettings("PocetSouboru=2147483647\r\n", "File0=/a\r\n");
    form->LoadFileList();
    EXPECT_EQ(form->ListFiles->count(), 65535);
    EXPECT_EQ(form->ListItems().front(), "/a");
}

class SaveButton : public FileList {
protected:
    const std::string good = dataFile("good.dat", "data");
    const std::string missing = programFolder.file("missing.dat");
    const Text settingsIncomplete =
        cz("V programu nejsou nastaveny všechny nezbytné přihlašovací údaje. \n\nUpravte "
           "nastavení stiskem tlačítka \"Konfigurace\". ");
    const Text saved = cz("Nastavení programu uloženo.");

    std::string storedCount() const { return ReadSetting("", "PocetSouboru", "none"); }

    // The message boxes shown after the first `count`.
    std::vector<Text> messagesSince(std::size_t count) const {
        const auto all = modal.messages();
        return {all.begin() + static_cast<std::ptrdiff_t>(count), all.end()};
    }
};

TEST_F(SaveButton, RefusesWithoutCompleteSettingsGpgOrFiles) {
    const struct {
        const char* name;
        bool settings;
        bool gpg;
        std::vector<std::string> items;
        Text message;
    } cases[] = {
        {"settings incomplete", false, true, {}, settingsIncomplete},
        {"gpg.exe missing",
         true,
         false,
         {},
         cz("Program \"gpg.exe\" nebyl nalezen v adresáři "
            "aplikace.\n\n")},
        {"empty list", true, true, {}, cz("V seznamu nejsou žádné soubory.")},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(settingsPath);
        std::filesystem::remove(programFolder.file("gpg.exe"));
        if (c.settings) {
            writeCompleteSettings();
        }
        if (c.gpg) {
            placeGpg();
        }
        const std::string before =
            std::filesystem::exists(settingsPath) ? readBytes(settingsPath) : "";
        const auto shownBefore = modal.messages().size();
        setItems(c.items);
        form->ButtonSaveClick();
        EXPECT_EQ(messagesSince(shownBefore), std::vector<Text>{c.message}) << c.name;
        EXPECT_EQ(std::filesystem::exists(settingsPath) ? readBytes(settingsPath) : "", before)
            << c.name;
    }
}

TEST_F(SaveButton, AsksBeforeStoringAListWithABadFileNoBeingTheDefault) {
    writeCompleteSettings();
    placeGpg();
    setItems({good, missing});
    modal.answerQuestion(false);
    form->ButtonSaveClick();
    ASSERT_EQ(modal.calls().size(), 1u);
    EXPECT_EQ(modal.calls()[0].kind, ModalCall::Kind::Question);
    EXPECT_EQ(modal.calls()[0].text, cz("Soubor " + missing +
                                        " neexistuje nebo má nulovou velikost. \n\nPřejete si "
                                        "přestro konfiguraci uložit ?"));
    EXPECT_EQ(modal.calls()[0].caption, cz("Uložit konfiguraci"));
    EXPECT_EQ(storedCount(), "none");

    modal.answerQuestion(true);
    form->ButtonSaveClick();
    EXPECT_EQ(modal.messages(), std::vector<Text>{saved});
    EXPECT_EQ(storedCount(), "2");
    EXPECT_EQ(ReadSetting("Files", "File1", ""), missing);
}

TEST_F(SaveButton, StoresAGoodListAndAnAllBadListWithoutAsking) {
    const struct {
        const char* name;
        std::vector<std::string> items;
    } cases[] = {
        {"all good", {good}},
        {"all missing", {missing, missing}},
    };
    for (const auto& c : cases) {
        writeCompleteSettings();
        placeGpg();
        const auto shownBefore = modal.messages().size();
        setItems(c.items);
        form->ButtonSaveClick();
        EXPECT_EQ(messagesSince(shownBefore), std::vector<Text>{saved}) << c.name;
        EXPECT_EQ(storedCount(), std::to_string(c.items.size())) << c.name;
    }
}

} // namespace
