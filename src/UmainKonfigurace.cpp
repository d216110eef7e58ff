// The configuration button. The configuration dialog is not part of the program yet, so the
// button opens nothing.

#include "Umain.h"

void TForm1::ButtonKonfiguraceClick() {}
