#include "platform/OpenDialog.h"

#include "platform/Modal.h"

namespace platform {

bool OpenDialog::Execute() {
    auto chosen = modal().OpenFiles(Title, InitialDir);
    files_ = chosen.value_or(QStringList{});
    return chosen.has_value();
}

} // namespace platform
