// WindowsFont end to end: what a printer on the other side of a TCP socket
// or a serial line receives.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "ReferenceRender.h"
#include "comm/CommGlobals.h"
#include "comm/HostText.h"
#include "quillon/quillon.h"

using hosttext_test::ExpectedHlvRows;
using hosttext_test::PngSize;
using hosttext_test::ReadFile;
using hosttext_test::RenderReference;
using Clock = std::chrono::steady_clock;

namespace {

// A printer on 127.0.0.2: accepts one connection and keeps what arrives
// until the peer closes or `limit` passes.
class TcpPrinter {
  public:
    TcpPrinter() {
        _listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        ::inet_pton(AF_INET, "127.0.0.2", &addr.sin_addr);
        if (::bind(_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(_listen, 1) != 0)
            return;
        socklen_t len = sizeof addr;
        ::getsockname(_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        _port = ntohs(addr.sin_port);
        _thread = std::thread([this] { Serve(); });
    }
    ~TcpPrinter() {
        if (_thread.joinable()) _thread.join();
        ::close(_listen);
    }
    int port() const { return _port; }
    // Waits for the peer to close (or the limit) and returns everything.
    const std::string& Received() {
        if (_thread.joinable()) _thread.join();
        return _data;
    }
    bool closedByPeer() const { return _eof; }
    Clock::duration firstByteToClose() const { return _closedAt - _firstAt; }

  private:
    void Serve() {
        const auto deadline = Clock::now() + std::chrono::seconds(15);
        pollfd p{_listen, POLLIN, 0};
        if (::poll(&p, 1, 15000) != 1) return;
        const int fd = ::accept(_listen, nullptr, nullptr);
        if (fd < 0) return;
        char buf[65536];
        while (Clock::now() < deadline) {
            pollfd q{fd, POLLIN, 0};
            if (::poll(&q, 1, 100) < 1) continue;
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0) {
                _eof = n == 0;
                _closedAt = Clock::now();
                break;
            }
            if (_data.empty()) _firstAt = Clock::now();
            _data.append(buf, static_cast<size_t>(n));
        }
        ::close(fd);
    }

    int _listen = -1;
    int _port = 0;
    std::thread _thread;
    std::string _data;
    bool _eof = false;
    Clock::time_point _firstAt, _closedAt;
};

// The serial side: a pseudo-terminal whose slave is the port the library
// opens; everything written to it is read from the master.
class SerialPrinter {
  public:
    SerialPrinter() {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&_master, &slave, name, nullptr, nullptr) != 0) return;
        _path = name;
        ::close(slave);  // the library opens it by name
        _thread = std::thread([this] { Serve(); });
    }
    ~SerialPrinter() {
        _stop = true;
        if (_thread.joinable()) _thread.join();
        if (_master >= 0) ::close(_master);
    }
    const std::string& path() const { return _path; }
    // Everything up to and including the first occurrence of `end`.
    std::string ReceivedUntil(const std::string& end) {
        const auto deadline = Clock::now() + std::chrono::seconds(15);
        while (Clock::now() < deadline) {
            {
                std::lock_guard<std::mutex> lock(_mutex);
                const size_t at = _data.find(end);
                if (at != std::string::npos) return _data.substr(0, at + end.size());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::lock_guard<std::mutex> lock(_mutex);
        return _data;
    }

  private:
    void Serve() {
        char buf[4096];
        while (!_stop) {
            pollfd p{_master, POLLIN, 0};
            if (::poll(&p, 1, 20) < 1 || !(p.revents & POLLIN)) continue;
            const ssize_t n = ::read(_master, buf, sizeof buf);
            if (n > 0) {
                std::lock_guard<std::mutex> lock(_mutex);
                _data.append(buf, static_cast<size_t>(n));
            }
        }
    }

    int _master = -1;
    std::string _path;
    std::thread _thread;
    std::mutex _mutex;
    std::string _data;
    std::atomic<bool> _stop{false};
};

std::wstring Wide(const char* utf8) {
    std::wstring out;
    const std::string s = utf8;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        std::uint32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (int k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
        out.push_back(static_cast<wchar_t>(cp));
        i += static_cast<size_t>(n);
    }
    return out;
}

std::string ExpectedHlv(const char* name, const char* text, const std::string& font, int fontstyle,
                        bool underline, int rotation) {
    auto ref = RenderReference(text, font, fontstyle & 1, fontstyle & 2, underline, rotation);
    const int examined = rotation % 90 == 0 ? ref.stride - 1 : ref.stride;
    return "~LOGO;" + std::string(name) + ";" + std::to_string(ref.height) + ";" +
           std::to_string(examined * 8) + ExpectedHlvRows(ref.bits.data(), ref.stride, ref.height, examined) +
           "\nEND\r\n";
}

class WindowsFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        quillon::SetDownloadSettleTime(std::chrono::milliseconds(0));
        _dir = std::filesystem::temp_directory_path() /
               ("quillon-windowsfont-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(_dir);
        _cwd = std::filesystem::current_path();
        std::filesystem::current_path(_dir);
    }
    void TearDown() override {
        quillon::SetDownloadSettleTime(quillon::kDownloadSettleTime);
        std::filesystem::current_path(_cwd);
        std::filesystem::remove_all(_dir);
    }
    int Tcp(const std::wstring& text, int height, int rotation, int style, int underline, const char* face,
            Brand brand, const std::string& name, int port) {
        return WindowsFont(height, rotation, style, underline, const_cast<char*>(face),
                           const_cast<wchar_t*>(text.c_str()), true, brand, const_cast<char*>(name.c_str()),
                           TCP_COMM, const_cast<char*>("127.0.0.2"), port, 0, "", 0);
    }
    std::filesystem::path _dir, _cwd;
};

// The HLV command received over TCP for every turn: header from the frame
// rules, rows equal to an independent rendering.
TEST_F(WindowsFontTest, TcpHlvForEveryTurn) {
    struct Row {
        const char* text;
        const char* face;
        int style, underline, rotation;
    };
    const Row rows[] = {
        {"Grüße 123 ABC xyz", "DejaVu Sans", 0, 0, 0},   {"Grüße 123 ABC xyz", "DejaVu Sans", 0, 0, 90},
        {"Grüße 123 ABC xyz", "DejaVu Sans", 0, 1, 180}, {"Grüße 123 ABC xyz", "DejaVu Sans", 1, 0, 270},
        {"Grüße 123 ABC xyz", "DejaVu Sans", 2, 0, 45},  {"标签 Label", "WenQuanYi Micro Hei", 0, 1, 90},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " " + std::to_string(row.rotation));
        TcpPrinter printer;
        ASSERT_NE(printer.port(), 0);
        EXPECT_EQ(Tcp(Wide(row.text), 24, row.rotation, row.style, row.underline, row.face, HLV, "IMG1",
                      printer.port()),
                  1);
        EXPECT_EQ(printer.Received(), ExpectedHlv("IMG1", row.text, std::string(row.face) + " 24", row.style,
                                                  row.underline != 0, row.rotation));
        EXPECT_TRUE(printer.closedByPeer());
        EXPECT_FALSE(gTcpComm.Connected());
        // The host-side copy in the current directory has the surface's size.
        auto ref = RenderReference(row.text, std::string(row.face) + " 24", row.style & 1, row.style & 2,
                                   row.underline != 0, row.rotation);
        int width = 0, height = 0;
        ASSERT_TRUE(PngSize(ReadFile("HLV.png"), width, height));
        EXPECT_EQ(width, ref.width);
        EXPECT_EQ(height, ref.height);
    }
}

TEST_F(WindowsFontTest, TcpOrloCarriesThePng) {
    for (int rotation : {0, 90}) {
        SCOPED_TRACE(rotation);
        TcpPrinter printer;
        const std::string path = (_dir / "TEXT.PNG").string();
        ASSERT_EQ(Tcp(L"Grüße 123 ABC xyz", 24, rotation, 0, 0, "DejaVu Sans", ORLO, path, printer.port()),
                  1);
        const std::string& got = printer.Received();
        const std::string head = "DOWNLOAD F, \"" + path + "\",";
        ASSERT_EQ(got.compare(0, head.size(), head), 0);
        const size_t comma = got.find(',', head.size());
        ASSERT_NE(comma, std::string::npos);
        const size_t size = std::stoul(got.substr(head.size(), comma - head.size()));
        ASSERT_EQ(got.size(), comma + 1 + size + 2);
        EXPECT_EQ(got.substr(got.size() - 2), "\r\n");
        const std::string png = got.substr(comma + 1, size);
        EXPECT_EQ(png, ReadFile(path));  // the host copy stays in place
        int width = 0, height = 0;
        ASSERT_TRUE(PngSize(png, width, height));
        EXPECT_EQ(width, rotation == 90 ? 48 : 319);
        EXPECT_EQ(height, rotation == 90 ? 319 : 48);
    }
}

// Once the connection is open the answer is 1, even when the download is
// refused; the refused download sends nothing and leaves the connection open.
TEST_F(WindowsFontTest, TcpRefusedDownloadStillAnswersOne) {
    struct Row {
        const char* what;
        bool nullContent, nullFace, nullPath;
        int brand;
    };
    const Row rows[] = {{"brand 3", false, false, false, 3},
                        {"null content", true, false, false, 1},
                        {"null face", false, true, false, 2},
                        {"null path", false, false, true, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TcpPrinter printer;
        std::wstring text = L"x";
        char face[] = "DejaVu Sans";
        char name[] = "N";
        EXPECT_EQ(
            WindowsFont(12, 0, 0, 0, row.nullFace ? nullptr : face, row.nullContent ? nullptr : text.data(),
                        true, static_cast<Brand>(row.brand), row.nullPath ? nullptr : name, TCP_COMM,
                        const_cast<char*>("127.0.0.2"), printer.port(), 0, "", 0),
            1);
        EXPECT_TRUE(gTcpComm.Connected());
        gTcpComm.Close();
        EXPECT_EQ(printer.Received(), "");
    }
}

TEST_F(WindowsFontTest, ConnectionsThatDoNotOpenAnswerZero) {
    // A port with nothing listening: take one and give it back.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.0.2", &addr.sin_addr);
    ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    const int closedPort = ntohs(addr.sin_port);
    ::close(s);

    std::wstring text = L"x";
    char face[] = "DejaVu Sans";
    char name[] = "N";
    auto call = [&](int commTyp, const char* ip, int port, std::string comPort, int baud) {
        return WindowsFont(12, 0, 0, 0, face, text.data(), true, HLV, name, static_cast<COMM_TYP>(commTyp),
                           const_cast<char*>(ip), port, 0x1A2B3C4D5E6Full, std::move(comPort), baud);
    };
    testing::internal::CaptureStderr();
    EXPECT_EQ(call(TCP_COMM, "127.0.0.2", closedPort, "", 0), 0);
    EXPECT_EQ(call(TCP_COMM, nullptr, 9100, "", 0), 0);
    EXPECT_EQ(call(COM_COMM, nullptr, 0, (_dir / "no-such-port").string(), 9600), 0);
    EXPECT_EQ(call(BT_COMM, nullptr, 0, "", 0), 0);
    EXPECT_EQ(call(4, nullptr, 0, "", 0), 0);
    EXPECT_EQ(call(-1, nullptr, 0, "", 0), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Failed to connect to IPv4 server"), std::string::npos);
    EXPECT_NE(err.find("Failed to open port: " + (_dir / "no-such-port").string()), std::string::npos);
    EXPECT_THROW(call(TCP_COMM, "300.1.2.3", 9100, "", 0), std::runtime_error);
}

TEST_F(WindowsFontTest, UsbWithoutPrinterListsAndAnswersZero) {
    std::wstring text = L"x";
    char face[] = "DejaVu Sans";
    char name[] = "N";
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int result =
        WindowsFont(12, 0, 0, 0, face, text.data(), true, HLV, name, USB_COMM, nullptr, 0, 0, "", 0);
    const std::string out = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    if (devices != nullptr) GTEST_SKIP() << "a known-vendor USB printer is attached";
    EXPECT_EQ(result, 0);
    EXPECT_NE(out.find("Number of devices: 0\n"), std::string::npos);
    const std::string tail = "Failed to call UsbConnect API!\n";
    ASSERT_GE(out.size(), tail.size());
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
}

TEST_F(WindowsFontTest, SerialHlvFromWideAndMultibyteText) {
    SerialPrinter printer;
    ASSERT_FALSE(printer.path().empty());
    std::wstring text = L"Grüße 123 ABC xyz";
    char face[] = "DejaVu Sans";
    char name[] = "SER";
    EXPECT_EQ(WindowsFont(24, 90, 0, 1, face, text.data(), true, HLV, name, COM_COMM, nullptr, 0, 0,
                          printer.path(), 115200),
              1);
    EXPECT_EQ(printer.ReceivedUntil("\nEND\r\n"),
              ExpectedHlv("SER", "Grüße 123 ABC xyz", "DejaVu Sans 24", 0, true, 90));
    EXPECT_FALSE(gComComm.Connected());

    // Multibyte text in the current locale reaches the same raster.
    SerialPrinter second;
    const char* saved = std::setlocale(LC_ALL, nullptr);
    const std::string restore = saved ? saved : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    char utf8[] = "Grüße 123 ABC xyz";
    const int result =
        WindowsFont(24, 90, 0, 1, face, utf8, false, HLV, name, COM_COMM, nullptr, 0, 0, second.path(), 9600);
    std::setlocale(LC_ALL, restore.c_str());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(second.ReceivedUntil("\nEND\r\n"),
              ExpectedHlv("SER", "Grüße 123 ABC xyz", "DejaVu Sans 24", 0, true, 90));
}

TEST_F(WindowsFontTest, UnconvertibleTextThrowsAndSendsNothing) {
    TcpPrinter printer;
    const char* saved = std::setlocale(LC_ALL, nullptr);
    const std::string restore = saved ? saved : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    char bad[] = "ab\xFF";
    char face[] = "DejaVu Sans";
    char name[] = "N";
    try {
        WindowsFont(12, 0, 0, 0, face, bad, false, HLV, name, TCP_COMM, const_cast<char*>("127.0.0.2"),
                    printer.port(), 0, "", 0);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Conversion failed");
    }
    std::setlocale(LC_ALL, restore.c_str());
    gTcpComm.Close();
    EXPECT_EQ(printer.Received(), "");
}

// The shipped wait: the printer sees the connection close no earlier than
// 3000 ms after the image arrived.
TEST_F(WindowsFontTest, WaitsBeforeClosing) {
    quillon::SetDownloadSettleTime(quillon::kDownloadSettleTime);
    TcpPrinter printer;
    ASSERT_EQ(Tcp(L"x", 12, 0, 0, 0, "DejaVu Sans", HLV, "W", printer.port()), 1);
    ASSERT_FALSE(printer.Received().empty());
    EXPECT_TRUE(printer.closedByPeer());
    EXPECT_GE(printer.firstByteToClose(), std::chrono::milliseconds(2990));
}

}  // namespace
