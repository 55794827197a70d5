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

// A listening socket on a loopback address; `uri` reaches it.
struct Listener {
    int fd = -1;
    std::string uri;
};

Listener Listen(bool v6) {
    Listener l;
    l.fd = socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    sockaddr_storage storage{};
    socklen_t len;
    if (v6) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&storage);
        a->sin6_family = AF_INET6;
        a->sin6_addr = in6addr_loopback;
        len = sizeof *a;
    } else {
        auto* a = reinterpret_cast<sockaddr_in*>(&storage);
        a->sin_family = AF_INET;
        inet_pton(AF_INET, "127.0.0.2", &a->sin_addr);
        len = sizeof *a;
    }
    auto* addr = reinterpret_cast<sockaddr*>(&storage);
    if (l.fd < 0 || bind(l.fd, addr, len) != 0 || listen(l.fd, 1) != 0) return l;
    getsockname(l.fd, addr, &len);
    int port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                        : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
    l.uri = std::string(v6 ? "tcp://[::1]:" : "tcp://127.0.0.2:") + std::to_string(port);
    return l;
}

// Over IPv4 a batch large enough to need many writes; over IPv6 one label.
TEST(CliSend, TcpListenerReceivesTheRenderedLabel) {
    std::string batch;
    for (int i = 0; i < 4000; ++i) batch += std::string(kLabel) + "\n";
    for (bool v6 : {false, true}) {
        const std::string input = v6 ? std::string(kLabel) : batch;
        Listener l = Listen(v6);
        ASSERT_FALSE(l.uri.empty()) << (v6 ? "IPv6" : "IPv4") << " listener";
        std::string received;
        std::thread listener([&] {
            pollfd p{l.fd, POLLIN, 0};
            if (poll(&p, 1, 10000) <= 0) return;
            int client = accept(l.fd, nullptr, nullptr);
            received = Drain(client);
            close(client);
        });
        CliResult sent = RunTool({"send", "-", "--to", l.uri, "--lang", "kesh"}, input);
        if (NoConnections(sent)) shutdown(l.fd, SHUT_RDWR);
        listener.join();
        close(l.fd);
        if (NoConnections(sent)) GTEST_SKIP() << sent.err;
        EXPECT_EQ(sent.status, 0) << l.uri << ": " << sent.err;
        std::string expected = RunTool({"render", "-", "--lang", "kesh"}, input).out;
        EXPECT_EQ(received.size(), expected.size()) << l.uri;
        EXPECT_TRUE(received == expected) << l.uri;
    }
}

// Host-rendered text reaches the printer as a stored image: brand HLV gets
// the run-length rows between its header and END.
TEST(CliSend, TextDownloadOverTcp) {
    Listener l = Listen(false);
    ASSERT_FALSE(l.uri.empty());
    std::string received;
    std::thread listener([&] {
        pollfd p{l.fd, POLLIN, 0};
        if (poll(&p, 1, 15000) <= 0) return;
        int client = accept(l.fd, nullptr, nullptr);
        received = Drain(client);
        close(client);
    });
    CliResult sent = RunTool(
        {"text", "AB", "--font", "DejaVu Sans 12", "--brand", "hlv", "--to", l.uri, "--name", "CLITEXT"});
    bool missing = sent.err.find("has no host-rendered text") != std::string::npos || NoConnections(sent);
    if (missing) shutdown(l.fd, SHUT_RDWR);
    listener.join();
    close(l.fd);
    if (missing) GTEST_SKIP() << sent.err;
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(received.rfind("~LOGO;CLITEXT;", 0), 0u) << received.substr(0, 40);
    ASSERT_GE(received.size(), 6u);
    EXPECT_EQ(received.substr(received.size() - 6), "\nEND\r\n");
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
    EXPECT_NE(r.err.find("quillon: serial serial:/dev/quillon-no-such-tty: could not connect\n"),
              std::string::npos)
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
