// The one-dimensional barcode model is header-only; this unit keeps the
// model's layout of one source per header and checks the header stands alone.
#include "model/IBarcode1D.h"
