// What `--to` hands the connection that no message shows: the host, the
// port, the Bluetooth address and the USB ids, parsed from the URI.

#include <gtest/gtest.h>

#include <tuple>

#include "Target.h"

namespace {

TEST(Target, UriPartsReachThePrinterAddress) {
    struct Row {
        const char* uri;
        std::string host;
        int port;
        std::uint64_t address;
        int vendor, product;
    } rows[] = {
        {"tcp://[fe80::1%lo]:9101", "fe80::1%lo", 9101, 0, -1, -1},
        {"tcp://printer", "printer", 9100, 0, -1, -1},
        {"bt:00:11:22:33:4F:5a", "", 9100, 0x001122334f5a, -1, -1},
        {"usb:0A5f:00fF", "", 9100, 0, 0x0a5f, 0x00ff},
    };
    for (const Row& row : rows) {
        const quillon::DeliveryTarget t = quillon::cli::ParseTarget(row.uri).printer;
        EXPECT_EQ(std::tie(t.host, t.port, t.address, t.vendorId, t.productId),
                  std::tie(row.host, row.port, row.address, row.vendor, row.product))
            << row.uri;
    }
}

}  // namespace
