#ifndef QUILLON_TESTS_COMM_TESTLISTENER_H
#define QUILLON_TESTS_COMM_TESTLISTENER_H

// A loopback TCP listener for the connection tests: accepts connections on
// its own thread and runs a session function on each.

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
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
        bool v6 = address.find(':') != std::string::npos;
        _fd = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        setsockopt(_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_storage storage{};
        socklen_t length;
        if (v6) {
            auto* a = reinterpret_cast<sockaddr_in6*>(&storage);
            a->sin6_family = AF_INET6;
            a->sin6_port = htons(static_cast<uint16_t>(port));
            std::string host = address;
            std::size_t percent = host.find('%');
            if (percent != std::string::npos) {
                a->sin6_scope_id = if_nametoindex(host.substr(percent + 1).c_str());
                host.resize(percent);
            }
            inet_pton(AF_INET6, host.c_str(), &a->sin6_addr);
            length = sizeof *a;
        } else {
            auto* a = reinterpret_cast<sockaddr_in*>(&storage);
            a->sin_family = AF_INET;
            a->sin_port = htons(static_cast<uint16_t>(port));
            inet_pton(AF_INET, address.c_str(), &a->sin_addr);
            length = sizeof *a;
        }
        if (::bind(_fd, reinterpret_cast<sockaddr*>(&storage), length) != 0 || ::listen(_fd, 1024) != 0) {
            ::close(_fd);
            throw std::runtime_error("cannot listen on " + address + ": " + std::strerror(errno));
        }
        getsockname(_fd, reinterpret_cast<sockaddr*>(&storage), &length);
        _port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                         : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
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
    int _fd = -1;
    int _port = 0;
    std::atomic<bool> _stop{false};
    std::atomic<int> _accepted{0};
    std::mutex _clientMutex;
    int _client = -1;
    std::thread _thread;
};

// Reads until n bytes arrived or the peer closed; returns what came.
inline std::string ReceiveBytes(int fd, std::size_t n) {
    std::string data;
    char buffer[4096];
    while (data.size() < n) {
        ssize_t got = ::recv(fd, buffer, std::min(sizeof buffer, n - data.size()), 0);
        if (got <= 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

// Reads until the peer closes.
inline std::string ReceiveAll(int fd) {
    std::string data;
    char buffer[4096];
    for (;;) {
        ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) return data;
        data.append(buffer, static_cast<std::size_t>(got));
    }
}

inline void SendText(int fd, const std::string& text) {
    ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

#endif
