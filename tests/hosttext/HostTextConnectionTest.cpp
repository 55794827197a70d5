// WindowsFont end to end: what a printer on TCP or a serial line receives.
#include <future>

#include "HostTextSupport.h"
#include "comm/CommGlobals.h"
#include "quillon/quillon.h"

using namespace hosttext_test;

namespace {

class WindowsFontTest : public hosttext_test::InTempDir {
  protected:
    static int Tcp(const wchar_t* text, int height, int rotation, int style, int underline, const char* face,
                   Brand brand, const char* name, int port) {
        return WindowsFont(height, rotation, style, underline, const_cast<char*>(face),
                           const_cast<wchar_t*>(text), true, brand, const_cast<char*>(name), TCP_COMM,
                           const_cast<char*>("127.0.0.2"), port, 0, "", 0);
    }
};

// The HLV command received is the library's rendering of the text (golden
// rasters pin that), for a right and another angle.
TEST_F(WindowsFontTest, TcpHlv) {
    struct Row {
        const char* text;
        const wchar_t* wide;
        const char* face;
        int style, underline, rotation;
    };
    const Row rows[] = {
        {"Grüße 123 ABC xyz", L"Grüße 123 ABC xyz", "DejaVu Sans", 1, 1, 270},
        {"标签 Label", L"标签 Label", "WenQuanYi Micro Hei", 2, 0, 45},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TcpSink printer;
        EXPECT_EQ(
            Tcp(row.wide, 24, row.rotation, row.style, row.underline, row.face, HLV, "IMG1", printer.Port()),
            1);
        EXPECT_EQ(
            printer.Received(),  // and closed
            HlvFor("IMG1", row.text, std::string(row.face) + " 24", row.style, row.underline, row.rotation));
        EXPECT_FALSE(gTcpComm.Connected());
    }
}

// The PNG goes out whole after its length, and the host copy stays in
// place. With the shipped wait the printer sees the connection close no
// earlier than 3000 ms after the image arrived.
TEST_F(WindowsFontTest, TcpOrloCarriesThePngAndWaitsBeforeClosing) {
    quillon::SetDownloadSettleTime(quillon::kDownloadSettleTime);
    TcpSink printer;
    const std::string path = (_dir / "TEXT.PNG").string();
    ASSERT_EQ(Tcp(L"Grüße 123 ABC xyz", 24, 90, 0, 0, "DejaVu Sans", ORLO, path.c_str(), printer.Port()), 1);
    const std::string png = ReadFile(path);
    EXPECT_EQ(printer.Received(),
              "DOWNLOAD F, \"" + path + "\"," + std::to_string(png.size()) + "," + png + "\r\n");
    // The header's width and height: the quarter turn stands the frame up.
    EXPECT_EQ(png.substr(12, 12), std::string("IHDR\0\0\0\x30\0\0\x01\x3F", 12));
    EXPECT_GE(printer.firstByteToClose, std::chrono::milliseconds(2990));
}

TEST_F(WindowsFontTest, ConnectionsThatDoNotOpenAnswerZero) {
    std::wstring text = L"x";
    char face[] = "DejaVu Sans", name[] = "N";
    const std::string noPort = (_dir / "no-such-port").string();
    auto call = [&](int commTyp, const char* ip, int port, const std::string& comPort, int baud) {
        return WindowsFont(12, 0, 0, 0, face, text.data(), true, HLV, name, static_cast<COMM_TYP>(commTyp),
                           const_cast<char*>(ip), port, 0x1A2B3C4D5E6Full, comPort, baud);
    };
    const Captured c = Capture([&] {
        EXPECT_EQ(call(TCP_COMM, "127.0.0.2", ClosedPort("127.0.0.2"), "", 0), 0);
        EXPECT_EQ(call(TCP_COMM, nullptr, 9100, "", 0), 0);
        EXPECT_EQ(call(COM_COMM, nullptr, 0, noPort, 9600), 0);
        EXPECT_EQ(call(BT_COMM, nullptr, 0, "", 0), 0);
        EXPECT_EQ(call(4, nullptr, 0, "", 0), 0);
    });
    EXPECT_NE(c.err.find("Failed to connect to IPv4 server"), std::string::npos);
    EXPECT_NE(c.err.find("Failed to open port: " + noPort), std::string::npos);
    EXPECT_THROW(call(TCP_COMM, "300.1.2.3", 9100, "", 0), std::runtime_error);
    // USB without a known printer: tests/hosttext/usb, against emulated devices.
}

// The printer reads on a thread of its own: the command is larger than the
// terminal's buffer.
TEST_F(WindowsFontTest, SerialHlv) {
    Pty pty;
    auto received = std::async(std::launch::async, [&pty] { return pty.Read("\nEND\r\n"); });
    std::wstring text = L"Grüße 123 ABC xyz";
    char face[] = "DejaVu Sans", name[] = "SER";
    EXPECT_EQ(WindowsFont(24, 90, 0, 1, face, text.data(), true, HLV, name, COM_COMM, nullptr, 0, 0, pty.path,
                          115200),
              1);
    EXPECT_EQ(received.get(), HlvFor("SER", "Grüße 123 ABC xyz", "DejaVu Sans 24", 0, true, 90));
    EXPECT_FALSE(gComComm.Connected());
}

}  // namespace
