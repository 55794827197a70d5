#include "comm/StreamSocket.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace quillon {
namespace {

using Clock = std::chrono::steady_clock;

// Reads and drops the far end's bytes until it closes or fails, nothing is
// unsent and nothing waits, or quietMs pass without progress.
void DrainUntilClosed(int fd, int quietMs) {
    const auto quiet = std::chrono::milliseconds(quietMs);
    auto deadline = Clock::now() + quiet;
    std::int64_t unsent = Unsent(fd);
    char buffer[4096];
    for (;;) {
        ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            deadline = Clock::now() + quiet;
            continue;
        }
        if (n == 0) return;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return;
        std::int64_t left = Unsent(fd);
        if (left == 0) return;
        if (left < unsent) {
            unsent = left;
            deadline = Clock::now() + quiet;
        }
        auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (wait <= 0) return;
        // Acknowledgements do not wake poll, so it looks again every 10 ms.
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, wait < 10 ? static_cast<int>(wait) : 10);
    }
}

}  // namespace

int PendingInput(int fd) {
    int pending = 0;
    if (::ioctl(fd, FIONREAD, &pending) == -1) return -1;
    return pending;
}

int ReceiveSome(int fd, unsigned char* data, int size) {
    ssize_t r = ::recv(fd, data, size > 0 ? static_cast<std::size_t>(size) : 0, 0);
    if (r == -1) throw std::runtime_error("Error reading from socket.");
    return static_cast<int>(r);
}

std::int64_t Unsent(int fd) {
    int queued = 0;
    // TIOCOUTQ and SIOCOUTQ are one request: unacknowledged bytes on TCP,
    // untransmitted ones on a terminal.
    if (::ioctl(fd, TIOCOUTQ, &queued) == -1) return 0;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
        address.ss_family == AF_BLUETOOTH) {
        // Bluetooth sockets answer with the free room of the send buffer.
        int size = 0;
        socklen_t sizeLength = sizeof size;
        if (::getsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, &sizeLength) != 0) return 0;
        queued = size - queued;
    }
    return queued > 0 ? queued : 0;
}

void CloseStream(int& fd) {
    if (fd == -1) return;
    ::shutdown(fd, SHUT_WR);
    DrainUntilClosed(fd, kCloseQuietMs);
    ::close(fd);
    fd = -1;
}

void AbortStream(int& fd) {
    if (fd == -1) return;
    linger abort{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd);
    fd = -1;
}

}  // namespace quillon
