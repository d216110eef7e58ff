#pragma once
// The modal seam: every modal interaction of the program (message box, Yes/No question, open,
// save and folder dialogs) goes through one object, so that tests can answer it without a
// person. The real one shows Qt's dialogs and waits until the user has closed them; tests install
// a scripted one with setModalForTesting.
//
// Texts going in are Windows-1250 `Text`. What the user chose comes back as Qt strings; the caller
// converts them strictly (fromQString), so that a path the code page cannot hold is refused, not
// mangled.

#include <optional>

#include <QString>
#include <QStringList>

#include "platform/Text.h"

namespace platform {

class Modal {
public:
    virtual ~Modal() = default;

    // A message box: `text`, its line feeds as line breaks (shown as plain text, never as
    // markup), the application's title as caption, no icon and one OK button, centred on the
    // screen.
    virtual void ShowMessage(const Text& text) = 0;

    // A question with the buttons Yes and No: `text` as plain text, `caption`, the question
    // icon, No as the default button and as the answer to Esc. True when the user chose Yes.
    virtual bool AskYesNo(const Text& text, const Text& caption) = 0;

    // An open dialog for existing files: `title`, starting in `initialFolder` (an empty folder
    // leaves the choice to the dialog), several files at once, no file-type filter, resizable.
    // The full paths of the chosen files in the dialog's order; nullopt when cancelled.
    virtual std::optional<QStringList> OpenFiles(const Text& title, const Text& initialFolder) = 0;

    // A save dialog: `title`, opening at `fileName` (a path; empty leaves the choice to the
    // dialog), the one filter "Všechny soubory (*.*)", which shows every file, and no question
    // before an existing file is chosen. The chosen path; nullopt when cancelled.
    virtual std::optional<QString> SaveFile(const Text& title, const Text& fileName) = 0;

    // A folder dialog: file-system folders only, starting at `initialFolder` (empty: the
    // dialog's choice). The chosen folder's path; nullopt when cancelled.
    virtual std::optional<QString> BrowseFolder(const Text& initialFolder) = 0;
};

// The seam in use: Qt's dialogs, unless a test has installed its own.
Modal& modal();

// Puts `replacement` (not owned; it must outlive its use) in place of Qt's dialogs; nullptr
// restores them.
void setModalForTesting(Modal* replacement);

} // namespace platform
