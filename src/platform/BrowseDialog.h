#pragma once
// The folder browse component of a form: file-system folders only, opening at SelectedFolder.
// It shows the dialog through the modal seam.

#include <QString>

#include "platform/Text.h"

namespace platform {

class BrowseDialog {
public:
    Text SelectedFolder; // the folder the dialog opens at; empty: the dialog's own choice

    // Shows the dialog and waits. True when the user confirmed a folder; Chosen then holds its
    // path as Qt gives it. A cancelled dialog leaves Chosen empty.
    bool Execute();

    const QString& Chosen() const { return chosen_; }

private:
    QString chosen_;
};

} // namespace platform
