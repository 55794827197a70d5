// TCP connection against listeners on 127.0.0.2 and ::1 (127.0.0.1 is the
// default facade's placeholder, so the tests never use it as a target).

#include <sched.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <optional>

#include "CommTestSupport.h"

namespace {

class TcpTest : public testing::Test {
  protected:
    void TearDown() override { tcp.Close(); }
    void OpenTo(const TestListener& listener) {
        TcpConnection().Connection("127.0.0.2", listener.Port());
        Capture([&] { tcp.Open(); });
    }
    TcpComm tcp;
};

TEST(TcpDescriptorTest, ValidateBuildsTcpHostPortAndSettingsFollowIt) {
    struct Row {
        const char* hint;
        TcpComm::DescriptorPortType type;
        const char* expected;
    } rows[] = {
        // clang-format off
        {"10.0.0.5", TcpComm::DATA, "TCP:10.0.0.5:9100"},
        {"10.0.0.5", TcpComm::MGMT, "TCP:10.0.0.5:3007"},
        {"10.0.0.5", TcpComm::STATUS, "TCP:10.0.0.5:3002"},
        {"10.0.0.5", static_cast<TcpComm::DescriptorPortType>(7), "TCP:10.0.0.5:9100"},
        {"10.0.0.5:6101", TcpComm::MGMT, "TCP:10.0.0.5:6101"},
        {"10.0.0.5:-5x", TcpComm::MGMT, "TCP:10.0.0.5:-5"},
        {"TCP:printer.local:9200", TcpComm::STATUS, "TCP:printer.local:9200"},
        {"a:b:c:d", TcpComm::DATA, ""},
        {"fe80::1", TcpComm::DATA, "TCP::1"},  // colons of an IPv6 address split it too
        {nullptr, TcpComm::DATA, ""},
        // clang-format on
    };
    for (const Row& row : rows)
        EXPECT_STREQ(TcpComm::DescriptorValidate(row.hint, row.type), row.expected)
            << (row.hint ? row.hint : "");
    // A host too long for the 64-byte buffer is cut, never overflowing it.
    EXPECT_EQ(TcpComm::DescriptorValidate(std::string(100, 'h').c_str(), TcpComm::DATA),
              "TCP:" + std::string(59, 'h'));

    TcpComm comm;
    TcpConnection connection;
    connection.Initialize("192.0.2.7:6101");
    EXPECT_STREQ(comm.Descriptor(), "TCP:192.0.2.7:6101");
    connection.Connection("192.0.2.8", 515);
    connection.Connection("127.0.0.1", 9100);  // the placeholder keeps the stored address
    EXPECT_STREQ(comm.Descriptor(), "TCP:192.0.2.8:9100");
    ExpectError([&] { connection.Initialize("a:b:c:d"); }, "Invalid descriptor format: a:b:c:d");
    const char* address = nullptr;
    comm.GetipAddress(&address);
    EXPECT_STREQ(address, "192.0.2.8");
}

TEST_F(TcpTest, BadAddressesThrowRefusedOnesFailAndOthersReplyLeavingNoSocket) {
    const std::pair<const char*, const char*> rows[] = {
        {"300.1.1.1", "Invalid IPv4 address."},
        {"fe80::zz", "Invalid IPv6 address."},
        {"fe80::1%quillon-no-if", "Invalid network interface for Link-Local IPv6."},
    };
    int fds = OpenFdCount();
    for (const auto& [address, message] : rows) {
        TcpComm::ConnectionSettings(address, 9100);
        ExpectError([&] { tcp.Open(); }, message);
        EXPECT_FALSE(tcp.Connected()) << address;
    }
    for (const char* address : {"127.0.0.2", "::1"}) {
        SCOPED_TRACE(address);
        std::string family = std::strchr(address, ':') ? "IPv6" : "IPv4";
        TcpComm::ConnectionSettings(address, ClosedPort(address));
        Captured refused = Capture([&] { tcp.Open(); });
        EXPECT_EQ(refused.err, "Failed to connect to " + family + " server: Connection refused\n");
        EXPECT_EQ(refused.out, "");
        EXPECT_FALSE(tcp.Connected());
        ExpectError([&] { tcp.Write(Bytes("x"), 1); }, "Error writing to socket.");

        TestListener listener(address, [&](int fd) {
            if (ReceiveBytes(fd, 5) == "~HS\r\n") SendText(fd, "READY\r\n");  // a reply proves the request
            ReceiveBytes(fd);
        });
        TcpConnection().Connection(address, listener.Port());
        EXPECT_EQ(Capture([&] { tcp.Open(); }).out, std::string(address) + "\n");
        ASSERT_TRUE(tcp.Connected());
        Capture([&] { tcp.Open(); });  // already open: no second socket (counted below)
        EXPECT_EQ(Text(tcp.WriteAndWaitForResponse(Bytes("~HS\r\n"), 5, 200, 2000, nullptr)), "READY\r\n");
        tcp.Close();
    }
    EXPECT_EQ(OpenFdCount(), fds);
}

TEST_F(TcpTest, RepliesInPiecesTimeoutsAndPeerClosing) {
    using Script = std::function<void(int)>;
    auto pieces = [](std::vector<std::pair<int, std::string>> steps, bool close = false) -> Script {
        return [steps, close](int fd) {
            ReceiveBytes(fd, 1);
            for (const auto& step : steps) {
                std::this_thread::sleep_for(std::chrono::milliseconds(step.first));
                SendText(fd, step.second);
            }
            if (!close) ReceiveBytes(fd);
        };
    };
    struct Row {
        const char* name;
        Script script;
        const char* token;
        bool json;
        std::string reply;
    } rows[] = {
        // clang-format off
        {"slow pieces are joined", pieces({{0, "AB"}, {520, "CD"}, {60, "EF"}}), nullptr, false, "ABCDEF"},
        {"completion token stops early", pieces({{0, "AB"}, {520, "CD"}, {250, "EF"}}), "CD", false, "ABCD"},
        {"silence gives no reply", pieces({}), nullptr, false, "<null>"},
        {"reply after the start timeout is not awaited", pieces({{900, "LATE"}}), nullptr, false, "<null>"},
        {"peer closes mid-reply", pieces({{0, "PART"}}, true), nullptr, false, "PART"},
        {"single look takes what is there", pieces({{0, "{\"a\":1}"}, {700, "MORE"}}), nullptr, true, "{\"a\":1}"},
        {"single look with nothing there", pieces({}), nullptr, true, "<null>"},
        {"a reply of one byte", pieces({{0, "\x06"}}), nullptr, false, "\x06"},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestListener listener("127.0.0.2", row.script);
        OpenTo(listener);
        unsigned char* reply = row.json
                                   ? tcp.WriteAndWaitForResponse_Json(Bytes("?"), 1, 200, 3000, row.token)
                                   : tcp.WriteAndWaitForResponse(Bytes("?"), 1, 200, 3000, row.token);
        EXPECT_EQ(Text(reply), row.reply);
        tcp.Close();
    }
}

TEST_F(TcpTest, EndTimeoutBoundsAnEndlessReply) {
    TestListener listener("127.0.0.2", [](int fd) {
        ReceiveBytes(fd, 1);
        for (int i = 0; i < 200; ++i) {
            if (::send(fd, "x", 1, MSG_NOSIGNAL) != 1) return;  // the client went away
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    OpenTo(listener);
    std::string reply = Text(tcp.WriteAndWaitForResponse(Bytes("?"), 1, 200, 300, nullptr));
    tcp.Close();
    // 500 ms of settling plus 300 ms of collecting at one byte per 20 ms.
    EXPECT_GT(reply.size(), 20u);
    EXPECT_LT(reply.size(), 80u);
}

TEST_F(TcpTest, WritingToAClosedPeerThrowsInsteadOfKillingTheProcess) {
    TestListener listener("127.0.0.2", [](int) {});  // closes at once
    OpenTo(listener);
    ASSERT_TRUE(WaitUntil([&] { return listener.Accepted() == 1; }, 2000));
    ExpectError(
        [&] {
            for (int i = 0; i < 50; ++i) {
                tcp.Write(Bytes("PRINT 1\r\n"), 9);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        },
        "Error writing to socket.");
}

TEST_F(TcpTest, ReadNeverExceedsTheCountTheCallerWasGiven) {
    std::promise<void> sendX;
    TestListener listener("127.0.0.2", [&](int fd) {
        if (sendX.get_future().wait_for(std::chrono::seconds(5)) == std::future_status::ready)
            SendText(fd, "X");
        ReceiveBytes(fd);
    });
    OpenTo(listener);
    ExpectReadTakesWhatTheLastLookSaw(tcp, quillon::CommPeer::TcpSocket(), [&] { sendX.set_value(); });
}

// A printer that greets and starts reading late: closing with its greeting
// unread must not reset the connection while the job is still queued.
TEST_F(TcpTest, CloseWithUnreadInputLosesNothingQueued) {
    const std::string job(4 << 20, 'J');
    std::promise<std::size_t> received;
    TestListener listener("127.0.0.2", [&](int fd) {
        SendText(fd, "READY\r\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        received.set_value(ReceiveBytes(fd).size());
    });
    OpenTo(listener);
    ASSERT_TRUE(tcp.Connected());
    for (std::size_t done = 0; done < job.size(); done += 64 * 1024) tcp.Write(Bytes(job) + done, 64 * 1024);
    tcp.Close();
    EXPECT_EQ(received.get_future().get(), job.size());
}

// New settings close the class-wide socket; this object's copy of its number
// may by then name an unrelated file, which must never be written to.
TEST_F(TcpTest, NewSettingsEndTheSocketAndItsStaleCopyIsNeverWritten) {
    TestListener listener("127.0.0.2", [](int fd) { ReceiveBytes(fd); });
    OpenTo(listener);
    ASSERT_TRUE(WaitUntil([&] { return listener.Accepted() == 1; }, 2000));
    int temporary = ::open("/tmp", O_TMPFILE | O_RDWR, 0600);
    int number = quillon::CommPeer::TcpSocket();
    TcpConnection().Connection("127.0.0.2", listener.Port());
    EXPECT_FALSE(tcp.Connected());
    EXPECT_EQ(::fcntl(number, F_GETFD), -1);  // closed, not leaked
    ASSERT_EQ(::dup2(temporary, number), number);
    ::close(temporary);
    ExpectError([&] { tcp.Write(Bytes("PRINT 1\r\n"), 9); }, "Error writing to socket.");
    unsigned char buffer[4];
    EXPECT_THROW(tcp.Read(buffer, sizeof buffer), std::runtime_error);
    struct stat st;
    fstat(number, &st);
    EXPECT_EQ(st.st_size, 0);
    ::close(number);
}

TEST_F(TcpTest, OneShotHelpersSendAndReportWithoutThrowing) {
    std::optional<TcpSink> printer;
    try {
        printer.emplace("127.0.0.2", 9100);
    } catch (const std::exception& e) {
        GTEST_SKIP() << "port 9100 on 127.0.0.2 is taken: " << e.what();
    }
    char path[] = "/tmp/quillon-file-XXXXXX";
    ::close(mkstemp(path));
    std::string bytes("FILE\0DATA\r\n", 11);
    std::ofstream(path, std::ios::binary) << bytes;
    Captured c = Capture([&] {
        tcp.SendPrintString("127.0.0.2", "PRINT 1\r\n", 9);
        tcp.SendPrintFile("127.0.0.2", path);
        tcp.SendPrintFile("127.0.0.2", "/tmp/quillon-no-such-file");
        tcp.SendPrintString("300.0.0.1", "x", 1);
    });
    ::unlink(path);
    EXPECT_EQ(c.out, "127.0.0.2\n127.0.0.2\n127.0.0.2\n");
    EXPECT_EQ(c.err, "Invalid IPv4 address.\n");
    EXPECT_EQ(printer->Received(0), "PRINT 1\r\n");
    EXPECT_EQ(printer->Received(1), bytes);
    EXPECT_EQ(printer->Received(2), "");
    EXPECT_FALSE(tcp.Connected());
}

// Link-local IPv6 needs an interface with a link-local address; the test
// makes one in a network namespace of its own, on a thread of its own.
TEST_F(TcpTest, LinkLocalIpv6ConnectsThroughTheNamedInterface) {
    std::string skip, outcome;
    std::thread worker([&] {
        if (::unshare(CLONE_NEWNET) != 0 ||
            std::system("ip link set lo up && ip -6 addr add fe80::1/64 dev lo nodad 2>/dev/null") != 0) {
            skip = "cannot give a network namespace's loopback a link-local address";
            return;
        }
        // The kernel adds the address's route from a work queue, which a
        // busy machine may run late.
        WaitUntil([] { return std::system("ip -6 route get fe80::1 dev lo >/dev/null 2>&1") == 0; }, 5000);
        try {
            TcpSink printer("fe80::1%lo");
            TcpComm comm;
            TcpConnection().Connection("fe80::1%lo", printer.Port());
            Captured c = Capture([&] { comm.Open(); });
            if (!comm.Connected()) return void(outcome = "open failed: " + c.err);
            comm.Write(Bytes("PING"), 4);
            comm.Close();
            outcome = c.out + printer.Received();
        } catch (const std::exception& e) {
            outcome = std::string("exception: ") + e.what();
        }
    });
    worker.join();
    if (!skip.empty()) GTEST_SKIP() << skip;
    EXPECT_EQ(outcome, "fe80::1%lo\nPING");
}

}  // namespace
