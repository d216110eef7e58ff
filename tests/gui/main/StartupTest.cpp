// Start-up through the application's Run: the first activation loads the list and looks at the
// arguments for the unattended switch.

#include <filesystem>

#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>

#include "Unitpom.h"
#include "gui/main/MainWindowFixture.h"
#include "platform/Application.h"

using platform::application;

namespace {

class Startup : public guitest::MainWindowFixture {
protected:
    // Runs the program's message loop with a main window made from `arguments`. A window that
    // waits for the user is ended after a while; `waited` tells whether that was needed.
    TForm1& run(std::vector<Text> arguments) {
        TForm1& form = application().CreateForm<TForm1>(nullptr, std::move(arguments));
        waited = false;
        QTimer idle;
        idle.setSingleShot(true);
        QObject::connect(&idle, &QTimer::timeout, [this] {
            waited = true;
            application().Terminate();
        });
        idle.start(300);
        application().Run();
        return form;
    }
    bool waited = false;

    int runsLogged() const {
        const std::string log = logBytes();
        int runs = 0;
        for (auto at = log.find("Start "); at != std::string::npos;
             at = log.find("Start ", at + 1)) {
            ++runs;
        }
        return runs;
    }
};

TEST_F(Startup, TheUnattendedSwitchIsTheTextAfterTheFirstCharacterInAnyCase) {
    const struct {
        std::vector<Text> arguments;
        bool unattended;
    } cases[] = {
        {{}, false},
        {{"/auto"}, true},
        {{"/AUTO"}, true},
        {{"-Auto"}, true},
        {{"xauto"}, true},
        {{"auto"}, false},
        {{"/autox"}, false},
        {{""}, false},
        {{"report", "/auto"}, true},
        {{"/auto", "-auto"}, true},
    };
    for (const auto& c : cases) {
        writeCompleteSettings();
        placeGpg();
        std::filesystem::remove(logPath);
        application().ClearTerminateForTesting();
        TForm1& form = run(c.arguments);
        const std::string name = c.arguments.empty() ? "(none)" : c.arguments.back();
        EXPECT_EQ(form.AutoMode, c.unattended) << name;
        EXPECT_EQ(waited, !c.unattended) << name << ": the program ends after its one run";
        EXPECT_EQ(runsLogged(), c.unattended ? 1 : 0) << name;
    }
    EXPECT_TRUE(modal.messages().empty());
}

TEST_F(Startup, TheFirstActivationLoadsTheListOnceAndLaterOnesDoNothing) {
    writeSettings("PocetSouboru=2\r\n", "File0=/d/a\r\nFile1=/d/b\r\n");
    TForm1& form = run({});
    EXPECT_TRUE(waited);
    EXPECT_EQ(form.ListItems(), (std::vector<Text>{"/d/a", "/d/b"}));
    form.FormActivate();
    EXPECT_EQ(form.ListFiles->count(), 2);
}

TEST_F(Startup, AnUnattendedRunEndsTheProgramWhateverItsOutcome) {
    const struct {
        const char* name;
        bool settings;
        std::string lastLine;
    } cases[] = {
        {"settings incomplete", false, "Upravte nastavení stiskem tlačítka \"Konfigurace\". "},
        {"cancelled: only missing files", true, "Odesílání zrušeno - jen prázdné soubory."},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(logPath);
        if (c.settings) {
            writeCompleteSettings();
        } else {
            writeSettings("UseLog=1\r\nCestaLog=" + logPath + "\r\n");
        }
        WriteSetting("", "PocetSouboru", "1");
        WriteSetting("Files", "File0", "/no/such/file");
        placeGpg();
        application().ClearTerminateForTesting();
        run({"/auto"});
        EXPECT_FALSE(waited) << c.name;
        const std::string log = logBytes();
        EXPECT_TRUE(log.ends_with(plain(c.lastLine))) << c.name << "\n" << log;
    }
    EXPECT_TRUE(modal.messages().empty());
}

} // namespace
