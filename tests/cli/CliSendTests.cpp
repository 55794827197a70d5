// Sending to listeners on this machine: a TCP server on 127.0.0.2 and a
// pseudo-terminal standing in for a serial printer.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "CliRunner.h"

namespace {

const char* kLabel = R"({"name": "S", "objects": [{"type": "picture", "x": 3, "y": 4, "name": "LOGO"}]})";

bool NoConnections(const CliResult& r) {
    return r.err.find("this libquillon has no printer connections") != std::string::npos;
}

// Reads until the peer closes or two seconds pass without data.
std::string Drain(int fd) {
    std::string data;
    char buf[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0) break;
        ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    return data;
}

TEST(CliSend, TcpListenerReceivesTheRenderedLabel) {
    int server = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(server, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = 0;
    inet_pton(AF_INET, "127.0.0.2", &addr.sin_addr);
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(server, 1), 0);
    socklen_t len = sizeof addr;
    getsockname(server, reinterpret_cast<sockaddr*>(&addr), &len);
    std::string uri = "tcp://127.0.0.2:" + std::to_string(ntohs(addr.sin_port));

    std::string received;
    std::thread listener([&] {
        pollfd p{server, POLLIN, 0};
        if (poll(&p, 1, 10000) <= 0) return;
        int client = accept(server, nullptr, nullptr);
        received = Drain(client);
        close(client);
    });
    CliResult sent = RunTool({"send", "-", "--to", uri}, kLabel);
    if (NoConnections(sent)) shutdown(server, SHUT_RDWR);
    listener.join();
    close(server);
    if (NoConnections(sent)) GTEST_SKIP() << sent.err;
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(received, RunTool({"render", "-"}, kLabel).out);
}

TEST(CliSend, TcpRefusedIsASendFailure) {
    // Nothing listens on port 9 of 127.0.0.2.
    CliResult r = RunTool({"send", "-", "--to", "tcp://127.0.0.2:9"}, kLabel);
    if (NoConnections(r)) GTEST_SKIP() << r.err;
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("quillon: tcp tcp://127.0.0.2:9: could not connect\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(CliSend, SerialPseudoTerminalReceivesTheRenderedLabel) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string device = ptsname(master);
    std::string received;
    std::thread reader([&] { received = Drain(master); });
    CliResult sent = RunTool({"send", "-", "--to", "serial:" + device + "?baud=115200"}, kLabel);
    reader.join();
    close(master);
    if (NoConnections(sent)) GTEST_SKIP() << sent.err;
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(received, RunTool({"render", "-"}, kLabel).out);
}

TEST(CliSend, MissingSerialDeviceIsASendFailure) {
    CliResult r = RunTool({"send", "-", "--to", "serial:/dev/quillon-no-such-tty"}, kLabel);
    if (NoConnections(r)) GTEST_SKIP() << r.err;
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("quillon: serial serial:/dev/quillon-no-such-tty: could not connect\n"), std::string::npos)
        << r.err;
}

TEST(CliUsbList, JsonIsAnArrayOfUris) {
    CliResult r = RunTool({"usb-list", "--json"});
    if (r.err.find("has no USB device listing") != std::string::npos) GTEST_SKIP() << r.err;
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.front(), '[');
}

}  // namespace
