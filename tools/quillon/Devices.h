#ifndef QUILLON_TOOLS_DEVICES_H
#define QUILLON_TOOLS_DEVICES_H

#include <cstdint>
#include <string>
#include <vector>

#include "Target.h"

namespace quillon::cli {

struct UsbPrinter {
    std::uint16_t vendorId;
    std::uint16_t productId;
};

// Attached printers of the known brands; throws SendError when the library
// has no device listing.
std::vector<UsbPrinter> ListUsbPrinters();

struct HostText {
    std::string text;  // UTF-8
    std::string face;  // pango family, e.g. "DejaVu Sans"
    int height = 24;
    int rotation = 0;
    bool bold = false, italic = false, underline = false;
    int brand = 1;     // 1 ORLO, 2 HLV
    std::string name;  // image name on the printer
};

// Renders the text on the host and downloads it as a stored image. Throws
// UsageError for a target the download cannot use, SendError when sending
// fails.
void DownloadText(const HostText& request, const Target& target);

}  // namespace quillon::cli

#endif
