#include "Unitpom.h"

#include "platform/Files.h"
#include "platform/Paths.h"

namespace {

const Text kGeneral = "General";

// The folder is worked out anew at every access.
platform::IniFile settingsFile() {
    return platform::IniFile(SettingsFilePath());
}

const Text& sectionOrGeneral(const Text& section) {
    return section.empty() ? kGeneral : section;
}

} // namespace

Text SettingsFilePath() {
    return platform::programFolder() + "Settings.ini";
}

Text ReadSetting(const Text& section, const Text& key, const Text& defaultValue) {
    const auto file = settingsFile();
    if (!platform::fileExists(file.fileName())) {
        return defaultValue;
    }
    return file.readString(sectionOrGeneral(section), key, defaultValue);
}

void WriteSetting(const Text& section, const Text& key, const Text& value) {
    settingsFile().writeString(sectionOrGeneral(section), key, value);
}

std::int32_t ReadSettingInt(const Text& key, std::int32_t defaultValue) {
    const auto file = settingsFile();
    if (!platform::fileExists(file.fileName())) {
        return defaultValue;
    }
    return file.readInteger(kGeneral, key, defaultValue);
}

void WriteSettingInt(const Text& key, std::int32_t value) {
    settingsFile().writeInteger(kGeneral, key, value);
}

void EraseSettingsSection(const Text& section) {
    auto file = settingsFile();
    if (!platform::fileExists(file.fileName())) {
        return;
    }
    file.eraseSection(sectionOrGeneral(section));
}

bool CheckSettingsComplete() {
    const auto present = [](const char* key) { return !ReadSetting("", key, "").empty(); };
    if (!present("FTPServer") || !present("Login") || !present("Heslo") || !present("Proxy")) {
        return false;
    }
    // Byte for byte: a Proxy of "00" counts as on here, although it reads as the integer 0.
    if (ReadSetting("", "Proxy", "") == "0") {
        return true;
    }
    return present("ProxyAdresa") && present("ProxyPort");
}
