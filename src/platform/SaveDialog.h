#pragma once
// The save-file dialog component of a form: its title and the file it opens at are set before
// Execute, and the chosen path is read afterwards. Its one filter shows every file, and choosing
// an existing file asks nothing. It shows the dialog through the modal seam.

#include <QString>

#include "platform/Text.h"

namespace platform {

class SaveDialog {
public:
    Text Title;
    Text FileName; // the file the dialog opens at; empty: the dialog's own choice

    // Shows the dialog and waits. True when the user confirmed it; Chosen then holds the chosen
    // full path as Qt gives it. A cancelled dialog leaves Chosen empty.
    bool Execute();

    const QString& Chosen() const { return chosen_; }

private:
    QString chosen_;
};

} // namespace platform
