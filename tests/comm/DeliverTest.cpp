// Job delivery through the library interface: what the tool cannot show.
// The misbehaving printers themselves are played against the tool in
// tests/cli/CliSendTests.cpp.

#include <future>

#include "CommTestSupport.h"
#include "comm/BtAddress.h"
#include "quillon/Delivery.h"

namespace {

quillon::DeliveryTarget Tcp(const std::string& host, int port) {
    quillon::DeliveryTarget t;
    t.host = host;
    t.port = port;
    return t;
}

// The reply is kept with its length, zero bytes included, up to the limit;
// the rest is counted.
TEST(DeliverTest, ReplyIsKeptWithItsLengthUpToTheLimit) {
    struct Row {
        std::string job, says;
        std::size_t limit;
        std::string kept;
    } rows[] = {
        {"PRINT 1\r\n", std::string("OK\0\x01\xff\r\n", 7), 64, std::string("OK\0\x01\xff\r\n", 7)},
        {"PRINT 1\r\n", std::string(1000, 'x') + "END", 10, std::string(10, 'x')},
        {"~", "", 10, ""},
    };
    for (const Row& row : rows) {
        std::promise<std::string> job;
        TestListener printer("::1", [&](int fd) {
            SendText(fd, row.says);
            job.set_value(ReceiveBytes(fd));
        });
        quillon::DeliveryOptions options;
        options.replyLimit = row.limit;
        quillon::DeliveryResult r = quillon::deliver(row.job, Tcp("::1", printer.Port()), options);
        EXPECT_TRUE(r.complete) << r.error;
        EXPECT_EQ(r.accepted, row.job.size());
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.reply, row.kept);
        EXPECT_EQ(r.replyBytes, row.says.size());
        EXPECT_EQ(job.get_future().get(), row.job);
    }
}

// The messages are checked end to end in tests/cli; here the error numbers
// and that a failed attempt leaves no descriptor open.
TEST(DeliverTest, TargetsThatCannotBeReachedSayWhy) {
    quillon::DeliveryTarget slowLine, usb;
    slowLine.kind = quillon::DeliveryTarget::Kind::Serial;
    slowLine.device = "/dev/ptmx";
    slowLine.baud = 4800;
    usb.kind = quillon::DeliveryTarget::Kind::Usb;
    usb.vendorId = 0x0bda;
    usb.productId = 0x9999;
    struct Row {
        quillon::DeliveryTarget target;
        std::string error;
        int code;
    } rows[] = {
        {Tcp("127.0.0.2", ClosedPort("127.0.0.2")), "connect to 127.0.0.2 port ", ECONNREFUSED},
        {slowLine, "line speed 4800 is not supported", EINVAL},
        {usb, "no USB device 0bda:9999 is attached", ENODEV},
    };
    for (const Row& row : rows) {
        int fds = OpenFdCount();
        quillon::DeliveryResult r = quillon::deliver("PRINT 1\r\n", row.target);
        EXPECT_FALSE(r.complete);
        EXPECT_EQ(r.accepted, 0u);
        EXPECT_EQ(r.error.substr(0, row.error.size()), row.error);
        EXPECT_EQ(r.errorCode, row.code) << r.error;
        EXPECT_EQ(OpenFdCount(), fds);
    }
    // A kernel without Bluetooth sockets refuses the socket itself, and the
    // attempt says so. (With them it would wait for a device not in reach.)
    const int probe = ::socket(AF_BLUETOOTH, SOCK_STREAM, BTPROTO_RFCOMM);
    if (probe != -1) {
        ::close(probe);
        return;
    }
    quillon::DeliveryTarget bt;
    bt.kind = quillon::DeliveryTarget::Kind::Bluetooth;
    bt.address = 0x001122334455;
    const quillon::DeliveryResult r = quillon::deliver("PRINT 1\r\n", bt);
    EXPECT_EQ(r.error, "Bluetooth socket: Address family not supported by protocol");
    EXPECT_EQ(r.errorCode, EAFNOSUPPORT);
}

}  // namespace
