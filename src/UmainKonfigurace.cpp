// The configuration button: a new configuration dialog for each showing, shown modally and
// destroyed when it closes. Its result is of no interest: the settings are read afresh when needed.

#include "Uformkonfigurace.h"
#include "Umain.h"

void TForm1::ButtonKonfiguraceClick() {
    TFormKonfigurace dialog(this);
    dialog.ShowModal();
}
