// Job delivery through the library: what the tool's tests in tests/cli cannot show.

#include <future>

#include "CommTestSupport.h"
#include "comm/BtAddress.h"
#include "quillon/Delivery.h"

namespace {

using Kind = quillon::DeliveryTarget::Kind;

quillon::DeliveryTarget Target(Kind kind, const std::string& host = "", int port = 0) {
    quillon::DeliveryTarget t;
    t.kind = kind;
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
        quillon::DeliveryResult r =
            quillon::deliver(row.job, Target(Kind::Tcp, "::1", printer.Port()), options);
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
    quillon::DeliveryTarget slowLine = Target(Kind::Serial), usb = Target(Kind::Usb),
                            bt = Target(Kind::Bluetooth);
    slowLine.device = "/dev/ptmx";
    slowLine.baud = 4800;
    usb.vendorId = 0x0bda;
    usb.productId = 0x9999;
    bt.address = 0x001122334455;
    struct Row {
        quillon::DeliveryTarget target;
        std::string error;
        int code;
    };
    std::vector<Row> rows = {
        {Target(Kind::Tcp, "127.0.0.2", ClosedPort("127.0.0.2")), "connect to 127.0.0.2 port ", ECONNREFUSED},
        {slowLine, "line speed 4800 is not supported", EINVAL},
        {usb, "no USB device 0bda:9999 is attached", ENODEV},
    };
    // A kernel without Bluetooth sockets refuses the socket itself, and the
    // attempt says so. (With them it would wait for a device not in reach.)
    const int probe = ::socket(AF_BLUETOOTH, SOCK_STREAM, BTPROTO_RFCOMM);
    if (probe == -1)
        rows.push_back({bt, "Bluetooth socket: Address family not supported by protocol", EAFNOSUPPORT});
    ::close(probe);
    for (const Row& row : rows) {
        int fds = OpenFdCount();
        quillon::DeliveryResult r = quillon::deliver("PRINT 1\r\n", row.target);
        EXPECT_FALSE(r.complete);
        EXPECT_EQ(r.accepted, 0u);
        EXPECT_EQ(r.error.substr(0, row.error.size()), row.error);
        EXPECT_EQ(r.errorCode, row.code) << r.error;
        EXPECT_EQ(OpenFdCount(), fds);
    }
}

}  // namespace
