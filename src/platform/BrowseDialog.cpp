#include "platform/BrowseDialog.h"

#include "platform/Modal.h"

namespace platform {

bool BrowseDialog::Execute() {
    auto chosen = modal().BrowseFolder(SelectedFolder);
    chosen_ = chosen.value_or(QString{});
    return chosen.has_value();
}

} // namespace platform
