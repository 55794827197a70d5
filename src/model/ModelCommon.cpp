// The shared model interfaces are header-only; this unit checks that the
// header stands on its own.
#include "model/ModelCommon.h"
