#pragma once
// The settings store: Settings.ini in the program's folder.
//
// Every operation opens the file, performs one access and closes it again, so every reader sees
// the latest value on disk; nothing is kept between calls. An empty section name stands for
// "General". A refused write or erase raises platform::EIniFileException with the message
// "Unable to write to " + the file's full path; what was written before stays written.

#include <cstdint>

#include "platform/IniFile.h"
#include "platform/Text.h"

// The standard FTP server, which the configuration dialog offers when none has been saved.
inline constexpr char DefaultFtpServer[] = "ftp.daloma.cz";

// Full path of Settings.ini: the program's folder + "Settings.ini".
Text SettingsFilePath();

// The value of `key` in `section`, or `defaultValue` when the file or the key is missing.
Text ReadSetting(const Text& section, const Text& key, const Text& defaultValue);

// Writes `value` under `key` in `section`, creating the file, section and key as needed.
void WriteSetting(const Text& section, const Text& key, const Text& value);

// The value of `key` in section General as a whole number (decimal with sign, or hexadecimal
// after "$", "x", "0x" or "0X"); `defaultValue` when missing or not such a number.
std::int32_t ReadSettingInt(const Text& key, std::int32_t defaultValue);

// Writes `value` in decimal under `key` in section General.
void WriteSettingInt(const Text& key, std::int32_t value);

// Removes `section` with all its keys; does nothing when the file does not exist.
void EraseSettingsSection(const Text& section);

// True when the settings that a connection needs are present: FTPServer, Login, Heslo (the
// stored text, not the password) and Proxy are not empty, and unless Proxy is exactly "0",
// ProxyAdresa and ProxyPort are not empty either. Only presence is tested.
bool CheckSettingsComplete();
