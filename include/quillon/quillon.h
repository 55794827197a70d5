#ifndef QUILLON_QUILLON_H
#define QUILLON_QUILLON_H

// Umbrella header of libquillon.
#include "quillon/Comm.h"
#include "quillon/Delivery.h"
#include "quillon/Enums.h"
#include "quillon/Export.h"
#include "quillon/HostText.h"
#include "quillon/Label.h"
#include "quillon/LabelObject.h"

#endif
