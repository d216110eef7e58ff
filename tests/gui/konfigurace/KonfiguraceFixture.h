#pragma once
// A configuration dialog over a program folder of its own, with the scripted modal seam, and
// the user's gestures as real widget events: typing, clicking, keys.

#include <memory>
#include <string>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "Uformkonfigurace.h"
#include "gui/support/ScriptedModal.h"
#include "support/TempFolder.h"

class QAbstractButton;
class QLineEdit;

namespace guitest {

class KonfiguraceFixture : public testing::Test {
protected:
    KonfiguraceFixture();
    ~KonfiguraceFixture() override;

    testsupport::TempFolder programFolder;
    const std::string settingsPath = programFolder.file("Settings.ini");
    ScriptedModal modal;

    // A new dialog, shown (not modally), so that its fields are filled from Settings.ini.
    std::unique_ptr<TFormKonfigurace> open();

    // Settings.ini with section General holding `generalLines` (CR LF line ends included).
    void writeSettings(const std::string& generalLines);
    // Settings.ini as it stands; "" when there is none.
    std::string settingsBytes() const;

    // Replaces the field's text as the user would: select all, then type `utf8` (or delete).
    static void type(QLineEdit* field, const std::string& utf8);
    static void click(QAbstractButton* button);
    // The controls enabled and disabled together.
    static std::vector<QWidget*> proxyControls(const TFormKonfigurace& dialog);
    static std::vector<QWidget*> logControls(const TFormKonfigurace& dialog);
    static std::vector<QWidget*> folderControls(const TFormKonfigurace& dialog);
    // True when every one of `controls` is enabled as `on` says.
    static bool allEnabled(const std::vector<QWidget*>& controls, bool on);

    // Fills server, login and password with values that pass the check.
    static void fillLogin(TFormKonfigurace& dialog);
};

QString qs(const std::string& utf8);

} // namespace guitest
