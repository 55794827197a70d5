// Bluetooth RFCOMM: without kernel support only a failure opens for real;
// the socket operations run on a socket pair standing in for the stream.

#include "CommTestSupport.h"
#include "comm/BtAddress.h"

namespace {

class BtTest : public testing::Test {
  protected:
    void TearDown() override { bt.Close(); }
    BtComm bt;
};

TEST(BtAddressTest, DescriptorAndSocketAddressByteOrder) {
    struct Row {
        uint64_t address;
        const char* descriptor;
        std::vector<uint8_t> bytes;
    } rows[] = {
        {0x1A2B3C4D5E6FULL, "BT:MAC Address:1a2b3c4d5e6f", {0x6f, 0x5e, 0x4d, 0x3c, 0x2b, 0x1a}},
        {0xABCULL, "BT:MAC Address:000000000abc", {0xbc, 0x0a, 0, 0, 0, 0}},
        {0xFFFF001122334455ULL, "BT:MAC Address:ffff001122334455", {0x55, 0x44, 0x33, 0x22, 0x11, 0x00}},
    };
    BtComm bt;
    for (const Row& row : rows) {
        BtConnection().Connection(row.address);
        EXPECT_STREQ(bt.Descriptor(), row.descriptor);
        sockaddr_rc address = quillon::RfcommAddress(row.address);
        EXPECT_EQ(address.rc_family, AF_BLUETOOTH);
        EXPECT_EQ(address.rc_channel, 1);
        EXPECT_EQ(std::vector<uint8_t>(address.rc_bdaddr.b, address.rc_bdaddr.b + 6), row.bytes);
    }
    EXPECT_EQ(sizeof(sockaddr_rc), 10u);
}

TEST_F(BtTest, OpenFailureIsReportedAndLeavesNoSocket) {
    int probe = ::socket(AF_BLUETOOTH, SOCK_STREAM, BTPROTO_RFCOMM);
    if (probe != -1) ::close(probe);
    BtConnection().Connection(0x1A2B3C4D5E6FULL);
    int fds = OpenFdCount();
    Captured c = Capture([&] {
        bt.Open();
        bt.Open();
    });
    if (probe == -1) {
        EXPECT_EQ(c.err, "Bluetooth socket is not initialized.\nBluetooth socket is not initialized.\n");
    } else {
        // A kernel with Bluetooth: no such device is in reach.
        EXPECT_EQ(c.err.rfind("Failed to connect to the Bluetooth device. Error code: ", 0), 0u) << c.err;
    }
    EXPECT_EQ(c.out, "");
    EXPECT_FALSE(bt.Connected());
    EXPECT_EQ(OpenFdCount(), fds);
    EXPECT_THROW(bt.Write(Bytes("x"), 1), std::runtime_error);
    unsigned char buffer[4];
    EXPECT_THROW(bt.Read(buffer, sizeof buffer), std::runtime_error);
}

TEST_F(BtTest, ReadsTheLastLookFailsWritesToAClosedPeerAndClosesOnANewAddress) {
    int pair[2];  // the library's end in place of a connected RFCOMM socket, and the printer's
    socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair);
    quillon::CommPeer::BtSocket() = pair[0];
    ASSERT_TRUE(bt.Connected());
    ExpectReadTakesWhatTheLastLookSaw(bt, pair[0], [&] { EXPECT_EQ(::write(pair[1], "X", 1), 1); });

    ::close(pair[1]);
    Captured c =
        Capture([&] { ExpectError([&] { bt.Write(Bytes("PRINT 1\r\n"), 9); }, "Error writing to socket."); });
    EXPECT_EQ(c.err, "Error writing to socket. errno: 32 (Broken pipe)\n");

    int fds = OpenFdCount();
    BtConnection().Connection(0xABC);
    EXPECT_FALSE(bt.Connected());
    EXPECT_EQ(OpenFdCount(), fds - 1);
}

}  // namespace
