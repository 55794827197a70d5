#ifndef QUILLON_TESTS_COMM_COMMTESTSUPPORT_H
#define QUILLON_TESTS_COMM_COMMTESTSUPPORT_H

// Helpers shared by the connection and host-text tests.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "quillon/Comm.h"

namespace quillon {

struct CommPeer {
    static libusb_context* UsbContext() { return UsbComm::ctx; }
    static void SelectUsbVendor(short vendor) { UsbComm::_v_id = vendor; }
    static int UsbBytesAvailable(UsbComm& comm) { return comm._bytesAvailable; }
    static int& TcpSocket() { return TcpComm::_socket; }
    static int& BtSocket() { return BtComm::_windows_socket; }
};

}  // namespace quillon

// Open descriptors of this process, less the listing's own.
inline int OpenFdCount() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {})) - 1;
}

struct Captured {
    std::string out, err;
};

inline Captured Capture(const std::function<void()>& run) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run();
    std::string err = testing::internal::GetCapturedStderr();
    return {testing::internal::GetCapturedStdout(), err};
}

inline bool WaitUntil(const std::function<bool()>& condition, int msTimeOut) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(msTimeOut);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

inline std::string Text(const unsigned char* bytes, std::size_t n) {
    return bytes ? std::string(reinterpret_cast<const char*>(bytes), n) : "<null>";
}

inline std::string Text(const unsigned char* reply) {
    return reply ? reinterpret_cast<const char*>(reply) : "<null>";
}

// A Read without a count takes what the last look saw: nothing when it saw
// nothing, even if a byte arrived since (a caller may size its buffer by that
// count), and one byte when it saw one. sendX makes the peer send "X".
template <typename Comm>
void ExpectReadTakesWhatTheLastLookSaw(Comm& comm, int socket, const std::function<void()>& sendX) {
    ASSERT_EQ(comm.GetBytesAvailable(), 0);
    sendX();
    ASSERT_TRUE(WaitUntil([&] { return comm.GetPendingDataSize(socket) == 1; }, 2000));
    unsigned char buffer[2] = {'#', '#'};
    comm.Read(buffer);
    EXPECT_EQ(buffer[0], '#');
    ASSERT_EQ(comm.GetBytesAvailable(), 1);
    comm.Read(buffer);
    EXPECT_EQ(Text(buffer, 2), "X#");
}

inline void ExpectError(const std::function<void()>& run, const std::string& message) {
    try {
        run();
        ADD_FAILURE() << "no exception, expected " << message;
    } catch (const std::exception& e) {
        EXPECT_EQ(e.what(), message);
    }
}

class TestListener {
  public:
    using Session = std::function<void(int fd)>;

    // address "127.0.0.2", "::1" or "fe80::1%lo"; port 0 picks a free one.
    TestListener(const std::string& address, Session session, int port = 0) : _session(std::move(session)) {
        addrinfo hints{}, *found = nullptr;
        hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
        hints.ai_socktype = SOCK_STREAM;
        if (getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
            throw std::runtime_error("bad address " + address);
        _fd = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        setsockopt(_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        bool bound = ::bind(_fd, found->ai_addr, found->ai_addrlen) == 0 && ::listen(_fd, 1024) == 0;
        freeaddrinfo(found);
        if (!bound) {
            ::close(_fd);
            throw std::runtime_error("cannot listen on " + address + ": " + std::strerror(errno));
        }
        sockaddr_storage storage{};
        socklen_t length = sizeof storage;
        getsockname(_fd, reinterpret_cast<sockaddr*>(&storage), &length);
        _port = ntohs(reinterpret_cast<sockaddr_in*>(&storage)->sin_port);  // where sin6_port lies too
        _thread = std::thread([this] { Run(); });
    }
    // Ends a session still waiting for the client by shutting its socket down.
    ~TestListener() {
        _stop = true;
        {
            std::lock_guard<std::mutex> lock(_clientMutex);
            if (_client != -1) ::shutdown(_client, SHUT_RDWR);
        }
        _thread.join();
        ::close(_fd);
    }
    TestListener(const TestListener&) = delete;
    TestListener& operator=(const TestListener&) = delete;

    int Port() const { return _port; }
    int Accepted() const { return _accepted; }

  private:
    void Run() {
        while (!_stop) {
            pollfd p{_fd, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            int client = ::accept4(_fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            {
                std::lock_guard<std::mutex> lock(_clientMutex);
                _client = client;
                if (_stop) ::shutdown(client, SHUT_RDWR);
            }
            ++_accepted;
            _session(client);
            std::lock_guard<std::mutex> lock(_clientMutex);
            ::close(client);
            _client = -1;
        }
    }

    Session _session;
    int _fd = -1, _port = 0, _client = -1;
    std::atomic<bool> _stop{false};
    std::atomic<int> _accepted{0};
    std::mutex _clientMutex;
    std::thread _thread;
};

// Reads until n bytes arrived (or, without n, until the peer closes); returns what came.
inline std::string ReceiveBytes(int fd, std::size_t n = std::string::npos) {
    std::string data;
    char buffer[4096];
    while (data.size() < n) {
        ssize_t got = ::recv(fd, buffer, std::min(sizeof buffer, n - data.size()), 0);
        if (got <= 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

inline int ClosedPort(const std::string& address) {
    return TestListener(address, [](int) {}).Port();
}

inline void SendText(int fd, const std::string& text) {
    ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

// A printer that keeps what each connection sends until the client closes it,
// and how long after the first byte that came.
class TcpSink {
  public:
    explicit TcpSink(const std::string& address = "127.0.0.2", int port = 0)
        : _listener(
              address, [this](int fd) { Serve(fd); }, port) {}
    int Port() const { return _listener.Port(); }
    // What connection i sent, or "<open>" while its client has not closed it after 15 s.
    std::string Received(std::size_t i = 0) {
        std::unique_lock<std::mutex> lock(_mutex);
        if (!_closed.wait_for(lock, std::chrono::seconds(15), [&] { return _received.size() > i; }))
            return "<open>";
        return _received[i];
    }
    std::chrono::steady_clock::duration firstByteToClose{};  // of the last closed connection

  private:
    void Serve(int fd) {
        std::string data = ReceiveBytes(fd, 1);
        const auto first = std::chrono::steady_clock::now();
        data += ReceiveBytes(fd);
        std::lock_guard<std::mutex> lock(_mutex);
        firstByteToClose = std::chrono::steady_clock::now() - first;
        _received.push_back(data);
        _closed.notify_all();
    }
    std::mutex _mutex;
    std::condition_variable _closed;
    std::vector<std::string> _received;
    TestListener _listener;  // last: stops first
};

// A pseudo-terminal pair: the library opens the terminal side by its path,
// the test plays the printer on the controlling side.
struct Pty {
    int printer = -1;  // controlling side, non-blocking
    std::string path;  // terminal side
    Pty() : printer(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        if (printer == -1 || ::grantpt(printer) != 0 || ::unlockpt(printer) != 0)
            throw std::runtime_error("no pseudo-terminal");
        path = ::ptsname(printer);
    }
    ~Pty() {
        if (printer != -1) ::close(printer);
    }
    // Reads until `end` arrived (within 15 s) or, without `end`, until a read
    // after the first bytes finds nothing (within 1 s).
    std::string Read(const std::string& end = "") {
        std::string data;
        char buffer[4096];
        WaitUntil(
            [&] {
                ssize_t n = ::read(printer, buffer, sizeof buffer);
                if (n > 0) data.append(buffer, static_cast<std::size_t>(n));
                return end.empty() ? n <= 0 && !data.empty() : data.find(end) != std::string::npos;
            },
            end.empty() ? 1000 : 15000);
        return data;
    }
};

#endif
