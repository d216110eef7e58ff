#pragma once
// Messages that the send run and the main window's save button share.

#include "platform/Text.h"

inline Text SettingsIncompleteMessage() {
    return platform::cz("V programu nejsou nastaveny všechny nezbytné přihlašovací údaje. "
                        "\n\nUpravte nastavení stiskem tlačítka \"Konfigurace\". ");
}
