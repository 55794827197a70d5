#ifndef QUILLON_HOSTTEXT_H
#define QUILLON_HOSTTEXT_H

#include <cstdint>
#include <string>

#include "quillon/Export.h"

// Host-rendered text: a string set in any font installed on the host is laid
// out and rasterised here and downloaded to the printer as a stored image.

// Printer brand, which selects the download command. Any other value is
// refused, so the type is an int underneath and can carry one.
enum class Brand : int { ORLO = 1, HLV = 2 };

// Connection kind used to reach the printer.
enum class COMM_TYP : int { USB_COMM = 0, TCP_COMM = 1, BT_COMM = 2, COM_COMM = 3 };

#endif
