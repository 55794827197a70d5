// Job delivery through the library interface: what the tool cannot show.
// The misbehaving printers themselves are played against the tool in
// tests/cli/CliSendTests.cpp.

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <future>

#include "CommTestSupport.h"
#include "TestListener.h"
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
        std::string says;
        std::size_t limit;
        std::string kept;
    } rows[] = {
        {std::string("OK\0\x01\xff\r\n", 7), 64, std::string("OK\0\x01\xff\r\n", 7)},
        {std::string(1000, 'x') + "END", 10, std::string(10, 'x')},
        {"", 10, ""},
    };
    for (const Row& row : rows) {
        std::promise<std::string> job;
        TestListener printer("::1", [&](int fd) {
            SendText(fd, row.says);
            job.set_value(ReceiveAll(fd));
        });
        quillon::DeliveryOptions options;
        options.replyLimit = row.limit;
        quillon::DeliveryResult r = quillon::deliver("PRINT 1\r\n", Tcp("::1", printer.Port()), options);
        EXPECT_TRUE(r.complete) << r.error;
        EXPECT_EQ(r.accepted, 9u);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.reply, row.kept);
        EXPECT_EQ(r.replyBytes, row.says.size());
        EXPECT_EQ(job.get_future().get(), "PRINT 1\r\n");
    }
}

// Interrupted system calls are continued, never taken for the end of the
// job: a signal every millisecond while 16 MiB go to a printer that reads in
// small pieces.
TEST(DeliverTest, SignalsDoNotCutTheJobShort) {
    struct sigaction quiet {};
    quiet.sa_handler = [](int) {};
    struct sigaction old {};
    sigaction(SIGUSR1, &quiet, &old);  // no SA_RESTART: calls fail with EINTR
    const std::string job(16 << 20, 'J');
    std::promise<std::size_t> received;
    TestListener printer("127.0.0.2", [&](int fd) {
        std::size_t n = 0;
        char buffer[1024];
        for (ssize_t got; (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            n += static_cast<std::size_t>(got);
        received.set_value(n);
    });
    std::atomic<bool> done{false};
    pthread_t self = pthread_self();
    std::thread interrupter([&] {
        while (!done) {
            pthread_kill(self, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    quillon::DeliveryResult r = quillon::deliver(job, Tcp("127.0.0.2", printer.Port()));
    done = true;
    interrupter.join();
    sigaction(SIGUSR1, &old, nullptr);
    EXPECT_TRUE(r.complete) << r.error;
    EXPECT_EQ(r.accepted, job.size());
    EXPECT_EQ(received.get_future().get(), job.size());
}

TEST(DeliverTest, TargetsThatCannotBeReachedSayWhy) {
    quillon::DeliveryTarget serial;
    serial.kind = quillon::DeliveryTarget::Kind::Serial;
    serial.device = "/dev/quillon-no-such-tty";
    quillon::DeliveryTarget slowLine = serial;
    slowLine.device = "/dev/ptmx";
    slowLine.baud = 4800;
    quillon::DeliveryTarget usb;
    usb.kind = quillon::DeliveryTarget::Kind::Usb;
    usb.vendorId = 0x0bda;
    usb.productId = 0x9999;
    struct Row {
        quillon::DeliveryTarget target;
        std::string error;
        int code;
    } rows[] = {
        {Tcp("127.0.0.2", ClosedPort("127.0.0.2")), "connect to 127.0.0.2 port ", ECONNREFUSED},
        {serial, "open /dev/quillon-no-such-tty: No such file or directory", ENOENT},
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
}

}  // namespace
