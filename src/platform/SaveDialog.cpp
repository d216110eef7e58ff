#include "platform/SaveDialog.h"

#include "platform/Modal.h"

namespace platform {

bool SaveDialog::Execute() {
    auto chosen = modal().SaveFile(Title, FileName);
    chosen_ = chosen.value_or(QString{});
    return chosen.has_value();
}

} // namespace platform
