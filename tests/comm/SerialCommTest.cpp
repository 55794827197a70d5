#include <termios.h>

#include "CommTestSupport.h"

namespace {

class SerialTest : public testing::Test {
  protected:
    void TearDown() override { com.Close(); }
    void OpenAt(const Pty& pty, int rate) {
        ComConnection().Connection(pty.path, rate);
        Capture([&] { com.Open(); });
        ASSERT_TRUE(com.Connected());
    }
    ComComm com;
};

TEST_F(SerialTest, SupportedSpeedsOpenARaw8N1Line) {
    const std::pair<int, speed_t> rows[] = {{9600, B9600},     {19200, B19200},   {38400, B38400},
                                            {57600, B57600},   {115200, B115200}, {230400, B230400},
                                            {460800, B460800}, {921600, B921600}};
    for (const auto& [rate, speed] : rows) {
        SCOPED_TRACE(rate);
        Pty pty;
        OpenAt(pty, rate);
        termios tty;
        ASSERT_EQ(tcgetattr(pty.printer, &tty), 0);
        EXPECT_EQ(cfgetospeed(&tty), speed);
        EXPECT_EQ(cfgetispeed(&tty), speed);
        EXPECT_EQ(tty.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CREAD | CLOCAL),
                  static_cast<tcflag_t>(CS8 | CREAD | CLOCAL));
        EXPECT_EQ(tty.c_lflag & (ICANON | ECHO | ECHOE | ISIG), 0u);
        EXPECT_EQ(tty.c_iflag & (IXON | IXOFF | IXANY), 0u);
        EXPECT_EQ(tty.c_oflag & OPOST, 0u);
        com.Close();
    }
}

TEST_F(SerialTest, OpenFailuresAreReportedAndLeaveThePortClosed) {
    Pty pty;
    struct Row {
        std::string path;
        int rate;
        std::string err;
    } rows[] = {
        {pty.path, 4800, "Unsupported baud rate: 4800\n"},
        {"/dev/quillon-no-such-tty", 9600, "Failed to open port: /dev/quillon-no-such-tty\n"},
        {"/dev/null", 9600, "Error getting tty attributes\n"},
    };
    int fds = OpenFdCount();
    for (const Row& row : rows) {
        ComConnection().Connection(row.path, row.rate);
        Captured c = Capture([&] { com.Open(); });
        EXPECT_EQ(c.err, row.err);
        EXPECT_EQ(c.out, "");
        EXPECT_FALSE(com.Connected()) << row.err;
    }
    EXPECT_EQ(OpenFdCount(), fds);
    // A port that never opened writes nothing and reports reads.
    Captured c = Capture([&] {
        com.Write(Bytes("PRINT 1\r\n"), 9);
        unsigned char buffer[8];
        com.Read(buffer);
    });
    EXPECT_EQ(c.out, "");
    EXPECT_EQ(c.err, "COM port not open!\n");
    EXPECT_EQ(com.GetBytesAvailable(), -1);
}

TEST_F(SerialTest, WritesAndReadsBothWays) {
    Pty pty;
    OpenAt(pty, 115200);
    int fds = OpenFdCount();
    Capture([&] { com.Open(); });  // a second Open replaces the port, it does not leak it
    EXPECT_EQ(OpenFdCount(), fds);

    std::string binary("~DG\0\xff\r\n", 7);
    EXPECT_EQ(Capture([&] { com.Write(Bytes(binary), 7); }).err, "");  // a whole write warns of nothing
    EXPECT_EQ(pty.Read(), binary);

    // A Read never takes more than the count it was given.
    ASSERT_EQ(::write(pty.printer, "0123456789", 10), 10);
    ASSERT_TRUE(WaitUntil([&] { return com.GetBytesAvailable() == 10; }, 1000));
    ASSERT_EQ(::write(pty.printer, "ABCDEFGHIJ", 10), 10);
    ASSERT_TRUE(WaitUntil([&] { return com.GetPendingDataSize() == 20; }, 1000));
    unsigned char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Capture([&] { com.Read(buffer); }).out, "Total bytes read: 10\n");
    EXPECT_EQ(Text(buffer, 16), "0123456789######");
    EXPECT_EQ(com.GetBytesAvailable(), 10);
}

TEST_F(SerialTest, ReplyIsCollectedUntilTheTokenThenAClosedPeerFailsQuietly) {
    Pty pty;
    OpenAt(pty, 57600);
    std::thread printer([&] {
        if (pty.Read() != "~HS\r\n") return;
        ::write(pty.printer, "STATUS", 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(550));
        ::write(pty.printer, " OK;", 4);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::write(pty.printer, "TRAILING", 8);
    });
    unsigned char* reply = nullptr;
    Capture([&] { reply = com.WriteAndWaitForResponse(Bytes("~HS\r\n"), 5, 200, 3000, "OK"); });
    printer.join();
    EXPECT_EQ(Text(reply), "STATUS OK;");

    // A closed peer fails writes and reads without throwing.
    ::close(pty.printer);
    pty.printer = -1;
    Captured c = Capture([&] {
        com.Write(Bytes("PRINT 1\r\n"), 9);
        com.GetBytesAvailable();
        unsigned char buffer[8];
        com.Read(buffer);
    });
    EXPECT_EQ(c.err, "Failed to write data to COM port!\nNo data received within timeout period.\n");
    EXPECT_TRUE(com.Connected());
    com.Close();
    EXPECT_FALSE(com.Connected());
}

}  // namespace
