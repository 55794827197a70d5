#ifndef QUILLON_TESTS_COMM_TESTLISTENER_H
#define QUILLON_TESTS_COMM_TESTLISTENER_H

// A loopback TCP listener for the connection tests: accepts connections on
// its own thread and runs a session function on each.

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

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
        char service[16];
        getnameinfo(reinterpret_cast<sockaddr*>(&storage), length, nullptr, 0, service, sizeof service,
                    NI_NUMERICSERV);
        _port = std::stoi(service);
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

// A port on which nothing listens.
inline int ClosedPort(const std::string& address) {
    return TestListener(address, [](int) {}).Port();
}

inline std::string ReceiveAll(int fd) {
    return ReceiveBytes(fd);
}

inline void SendText(int fd, const std::string& text) {
    ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

#endif
