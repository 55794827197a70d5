// `quillon send` against printers that misbehave, played on this machine:
// TCP listeners on loopback and pseudo-terminals standing in for serial
// printers. Every row ends with each byte received and exit status 0, or
// exit status 3 within its time limit, the printer having counted exactly
// the bytes the tool says it accepted.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <map>
#include <thread>

#include "CliRunner.h"

namespace {

constexpr std::uint64_t kMiB = 1 << 20;

// ---- the printer's side

// Reads until the far end closes or fails, `limit` bytes came, or (with
// `toolDone`) the tool has exited and nothing more comes; into `kept` when
// given.
std::uint64_t ReadAll(int fd, std::uint64_t limit = ~0ULL, const std::atomic<bool>* toolDone = nullptr,
                      std::string* kept = nullptr) {
    std::uint64_t n = 0;
    static thread_local char buffer[1 << 16];
    while (fd >= 0 && n < limit) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) == 0) {
            if (toolDone && *toolDone) break;
            continue;
        }
        ssize_t got = ::read(fd, buffer, std::min<std::uint64_t>(sizeof buffer, limit - n));
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) break;
        n += static_cast<std::uint64_t>(got);
        if (kept) kept->append(buffer, static_cast<std::size_t>(got));
    }
    return n;
}

// A printer: given its end of the connection (-1 when it never takes one)
// and a flag that tells when the tool has exited, it returns the number of
// job bytes that reached it. One that hangs up itself sets fd to -1.
using Printer = std::function<std::uint64_t(int& fd, const std::atomic<bool>& toolDone)>;

// Reads everything until the tool is done, after a greeting when given one;
// into `kept` when given.
Printer Sink(const std::string& greeting = "", std::string* kept = nullptr) {
    return [greeting, kept](int& fd, const std::atomic<bool>& toolDone) {
        if (!greeting.empty()) ::send(fd, greeting.data(), greeting.size(), MSG_NOSIGNAL);
        return ReadAll(fd, ~0ULL, &toolDone, kept);
    };
}

// Paper out: it reads nothing while the tool waits, and afterwards finds in
// its buffers what the tool managed to hand over.
std::uint64_t NeverReads(int& fd, const std::atomic<bool>& toolDone) {
    while (!toolDone) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return ReadAll(fd, ~0ULL, &toolDone);
}

std::uint64_t Sends100MiBWhileReading(int& fd, const std::atomic<bool>&) {
    std::thread talk([fd] {
        std::string chunk(kMiB, 'R');
        for (int i = 0; i < 100; ++i) {
            for (std::size_t sent = 0; sent < chunk.size();) {
                ssize_t n = ::send(fd, chunk.data() + sent, chunk.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) return;
                sent += static_cast<std::size_t>(n);
            }
        }
    });
    std::uint64_t n = ReadAll(fd);
    talk.join();
    return n;
}

// Reads 1 MiB, then resets the connection with what it holds (as a close
// with unread bytes would): those bytes reached it too, counted once the
// tool had time to fill every buffer on the way and every acknowledgement
// was sent.
std::uint64_t ResetsAfter1MiB(int& fd, const std::atomic<bool>&) {
    std::uint64_t n = ReadAll(fd, kMiB);
    int last = -1, now = 0;
    for (int same = 0; same < 3;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::ioctl(fd, FIONREAD, &now);
        same = now == last ? same + 1 : 0;
        last = now;
    }
    n += static_cast<std::uint64_t>(now);
    linger abort{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd);
    fd = -1;
    return n;
}

// 1 KiB/s through a receive buffer of about a kilobyte.
std::uint64_t ReadsSlowly(int& fd, const std::atomic<bool>&) {
    std::uint64_t n = 0;
    char buffer[512];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
        n += static_cast<std::uint64_t>(got);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return n;
}

// Reads 1 MiB, stops the line (as a printer's flow control would), takes
// what is on the way and hangs up.
std::uint64_t SerialHangsUpAfter1MiB(int& master, const std::atomic<bool>& toolDone) {
    std::uint64_t n = ReadAll(master, kMiB, &toolDone);
    int line = ::open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::tcflow(line, TCOOFF);
    const std::atomic<bool> stopped{true};
    n += ReadAll(master, ~0ULL, &stopped);
    ::close(master);
    master = -1;
    ::close(line);
    return n;
}

// ---- where the printer listens

enum class Kind { Tcp, SlowTcp, FullQueue, Serial };

// One run of the tool with `args` and --to the printer, which `play` plays
// on a thread of its own.
struct Played {
    CliResult result;
    std::string uri;
    std::uint64_t received = 0;
    double seconds = 0;
};

Played Play(Kind kind, const std::string& host, const Printer& play, std::vector<std::string> args) {
    Played p;
    int listener = -1, extra = -1, connection = -1;  // extra fills the listening queue
    if (kind == Kind::Serial) {
        connection = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);  // the tool must not hold it open
        grantpt(connection);
        unlockpt(connection);
        char name[64];  // ptsname's buffer is shared by the printers playing at once
        ptsname_r(connection, name, sizeof name);
        p.uri = std::string("serial:") + name + "?baud=115200";
    } else {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        inet_pton(AF_INET, host == "localhost" ? "127.0.0.1" : host.c_str(), &a.sin_addr);
        socklen_t length = sizeof a;
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int small = 1024;  // before listen, so that the window is sized for it
        if (kind == Kind::SlowTcp) ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        ::bind(listener, reinterpret_cast<sockaddr*>(&a), length);
        ::listen(listener, kind == Kind::FullQueue ? 0 : 1);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &length);
        p.uri = "tcp://" + host + ":" + std::to_string(ntohs(a.sin_port));
        if (kind == Kind::FullQueue) {
            extra = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            ::connect(extra, reinterpret_cast<sockaddr*>(&a), length);
        }
    }
    std::atomic<bool> toolDone{false};
    // Timed from the connection where the printer sees one, not from the
    // rendering before it.
    auto from = std::chrono::steady_clock::now();
    std::thread printer([&] {
        // The tool renders the whole job before it connects, which takes long
        // on a loaded machine: the printer waits as long as the tool runs.
        // Its end is kept from the tools the other rows start meanwhile, or
        // closing it would not hang up.
        pollfd accepting{listener, POLLIN, 0};
        while (kind != Kind::Serial && kind != Kind::FullQueue && connection < 0 && !toolDone)
            if (::poll(&accepting, 1, 100) == 1) {
                connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
                from = std::chrono::steady_clock::now();
            }
        p.received = play(connection, toolDone);
    });
    args.insert(args.end(), {"--to", p.uri});
    p.result = RunTool(args);
    const auto end = std::chrono::steady_clock::now();
    toolDone = true;
    printer.join();
    p.seconds = std::chrono::duration<double>(end - from).count();
    for (int fd : {listener, extra, connection})
        if (fd != -1) ::close(fd);
    return p;
}

// ---- the table

std::string Grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

// The job: `labels` copies of the shipping label in KESH, about a kilobyte
// each, written once per size to a file the tool reads; its path and the
// bytes of command text it makes.
std::pair<std::string, std::uint64_t> MakeJob(int labels) {
    static std::map<int, std::pair<std::string, std::uint64_t>> made;
    if (made.count(labels)) return made[labels];
    static std::string dir = TempDir();
    std::string label = ReadFile(QUILLON_EXAMPLES_DIR "/shipping.json");
    std::replace(label.begin(), label.end(), '\n', ' ');
    std::string path = dir + "/labels-" + std::to_string(labels) + ".jsonl";
    std::string lines;
    for (int i = 0; i < labels; ++i) lines += label + "\n";
    WriteFile(path, lines);
    CliResult one = RunTool({"render", "-", "--lang", "kesh"}, label);
    return made[labels] = {path, static_cast<std::uint64_t>(labels) * one.out.size()};
}

TEST(CliSend, MisbehavingPrinters) {
    struct Row {
        const char* printer;
        Kind kind;
        const char* address;
        Printer play;
        int labels, status;
        const char *timeout, *why;                                     // why: in the stop line, for status 3
        double seconds;                                                // at most
        std::string reply = "quillon: the printer replied 0 bytes\n";  // --show-reply
    } rows[] = {
        // clang-format off
        {"sink, by name", Kind::Tcp, "localhost", Sink(), 20000, 0, "5", "", 30},
        {"sink at 127.0.0.1", Kind::Tcp, "127.0.0.1", Sink(), 20, 0, "5", "", 10},
        {"greets then reads", Kind::Tcp, "127.0.0.2", Sink("READY\r\n"), 20000, 0, "5", "", 30, "quillon: the printer replied 7 bytes:\nREADY\r\n"},
        {"sends 100 MiB back while reading", Kind::Tcp, "127.0.0.2", Sends100MiBWhileReading, 20000, 0, "5", "", 30, "quillon: the printer replied "},
        {"resets after 1 MiB", Kind::Tcp, "127.0.0.2", ResetsAfter1MiB, 20000, 3, "5", "Connection reset by peer", 15},
        {"never reads", Kind::Tcp, "127.0.0.2", NeverReads, 20000, 3, "1", "no byte accepted for 1 s", 10},
        {"never accepts", Kind::FullQueue, "127.0.0.2", NeverReads, 20, 3, "1", "Connection timed out", 5},
        {"reads slowly (1 KiB/s)", Kind::SlowTcp, "127.0.0.2", ReadsSlowly, 3, 0, "3", "", 15},
        {"serial sink", Kind::Serial, "", Sink(), 2000, 0, "5", "", 30},
        {"serial never reads", Kind::Serial, "", NeverReads, 2000, 3, "1", "no byte accepted for 1 s", 10},
        {"serial far end hangs up after 1 MiB", Kind::Serial, "", SerialHangsUpAfter1MiB, 2000, 3, "5", "Input/output error", 15},
        // clang-format on
    };
    // The printers play at once: most of the time goes in waiting for timeouts.
    std::vector<std::future<Played>> played;
    for (const Row& row : rows)
        played.push_back(
            std::async(std::launch::async, Play, row.kind, row.address, row.play,
                       std::vector<std::string>{"send", MakeJob(row.labels).first, "--lang", "kesh",
                                                "--timeout", row.timeout, "--show-reply"}));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.printer);
        const std::uint64_t bytes = MakeJob(row.labels).second;
        const Played p = played[&row - rows].get();
        const CliResult& r = p.result;
        EXPECT_EQ(r.status, row.status) << r.err.substr(0, 400);
        EXPECT_LT(p.seconds, row.seconds);
        EXPECT_EQ(r.err.substr(0, row.reply.size()), row.reply);
        EXPECT_EQ(r.err.find("\n\n"), std::string::npos) << "a blank line: " << r.err.substr(0, 400);
        // The count the tool gives is the one the printer made.
        const std::string summary = row.status == 0
                                        ? "\nsent " + Grouped(row.labels) + " labels, " + Grouped(bytes) +
                                              " bytes to " + p.uri + " in "
                                        : "quillon: " + p.uri + ": the printer accepted " +
                                              Grouped(p.received) + " of " + Grouped(bytes) + " bytes: ";
        const std::size_t found = r.err.find(summary);
        ASSERT_NE(found, std::string::npos) << summary << "\n" << r.err.substr(0, 400);
        EXPECT_NE(r.err.find(row.why, found), std::string::npos) << r.err.substr(found, 200);
        EXPECT_EQ(p.received < bytes, row.status == 3);
    }
}

// Failures before the first byte, and an input that cannot be read.
TEST(CliSend, UnreachablePrinters) {
    EXPECT_EQ(CheckCases("unreachable-printers.txt"), 5);
    // Each pair of a query is read on its own, not taken into the value of
    // the pair before it. Why the connection fails depends on the kernel's
    // Bluetooth support; that it fails after the target was accepted does not.
    const CliResult bt = RunTool({"send", "-", "--to", "bt:00:11:22:33:44:55?channel=1&channel=1&channel=1"},
                                 PictureLabel("S", 3));
    EXPECT_EQ(bt.status, 3) << bt.err;
}

// Host-rendered text reaches the printer as a stored image: brand HLV gets
// the run-length rows between its header and END.
TEST(CliSend, TextDownloadOverTcp) {
    std::string received;
    const Played sent =
        Play(Kind::Tcp, "127.0.0.2", Sink("", &received),
             {"text", "AB", "--font", "DejaVu Sans 12", "--brand", "hlv", "--name", "CLITEXT"});
    EXPECT_EQ(sent.result.status, 0) << sent.result.err;
    EXPECT_EQ(received.rfind("~LOGO;CLITEXT;", 0), 0u) << received.substr(0, 40);
    EXPECT_TRUE(received.size() > 6 && received.compare(received.size() - 6, 6, "\nEND\r\n") == 0);
}

TEST(CliUsbList, JsonIsAnArrayOfUris) {
    CliResult r = RunTool({"usb-list", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 1), "[") << r.out;
}

}  // namespace
