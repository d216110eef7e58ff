#pragma once
// The open dialog component of a form: its title and initial folder are set before Execute,
// and the chosen files are read afterwards. The options are fixed: several files at once, no
// file-type filter, resizable. It shows the dialog through the modal seam.

#include <QStringList>

#include "platform/Text.h"

namespace platform {

class OpenDialog {
public:
    Text Title;
    Text InitialDir; // empty: the dialog's own choice

    // Shows the dialog and waits. True when the user confirmed it; Files then holds the chosen
    // full paths in the dialog's order. A cancelled dialog leaves Files empty.
    bool Execute();

    const QStringList& Files() const { return files_; }

private:
    QStringList files_;
};

} // namespace platform
