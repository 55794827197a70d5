// The PDF417 model classes are header-only; this unit checks that the
// header stands on its own.
#include "model/IBcdPdf417.h"
