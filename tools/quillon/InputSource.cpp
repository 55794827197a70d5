#include "InputSource.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillon::cli {

// A shipping label is about 1.1 KB of JSON; a block holds about a thousand.
constexpr std::size_t kBlock = 1 << 20;

InputSource::InputSource(int fd) : _fd(fd), _buffer(new char[kBlock]), _size(kBlock) {
    if (::pipe2(_wake, O_CLOEXEC | O_NONBLOCK) != 0) _wake[0] = _wake[1] = -1;
}

InputSource::~InputSource() {
    for (int fd : _wake)
        if (fd >= 0) ::close(fd);
}

void InputSource::Cancel() {
    const char byte = 1;
    if (_wake[1] >= 0) (void)!::write(_wake[1], &byte, 1);
}

void InputSource::Grow(std::size_t size) {
    std::unique_ptr<char[]> grown(new char[size]);
    std::memcpy(grown.get(), _buffer.get(), _end);
    _buffer = std::move(grown);
    _size = size;
}

bool InputSource::Fill() {
    if (_atEnd) return false;
    if (_begin > 0 && _begin == _end) _begin = _end = 0;
    if (_size - _end < kBlock / 4) {
        // Keep the unfinished line; grow only when it fills the buffer.
        if (_begin > 0) {
            std::memmove(_buffer.get(), _buffer.get() + _begin, _end - _begin);
            _end -= _begin;
            _begin = 0;
        } else {
            Grow(_size * 2);
        }
    }
    for (;;) {
        pollfd fds[2] = {{_fd, POLLIN, 0}, {_wake[0], POLLIN, 0}};
        const nfds_t count = _wake[0] >= 0 ? 2 : 1;
        int ready = ::poll(fds, count, 0);
        if (ready == 0) {
            if (_onWait) _onWait();
            ready = ::poll(fds, count, -1);
        }
        if (ready < 0 && errno == EINTR) continue;
        // Without poll the read below still works; it just cannot be woken.
        if (ready > 0 && (fds[1].revents & POLLIN)) {
            _atEnd = true;
            return false;
        }
        ssize_t n = ::read(_fd, _buffer.get() + _end, _size - _end);
        if (n > 0) {
            _end += static_cast<std::size_t>(n);
            return true;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n < 0) _error = errno;
        _atEnd = true;
        return false;
    }
}

bool InputSource::NextLine(char*& line, std::size_t& size) {
    std::size_t scanned = _begin;
    for (;;) {
        const void* newline = std::memchr(_buffer.get() + scanned, '\n', _end - scanned);
        if (newline) {
            auto at = static_cast<std::size_t>(static_cast<const char*>(newline) - _buffer.get());
            _buffer[at] = '\0';
            line = _buffer.get() + _begin;
            size = at - _begin;
            _begin = at + 1;
            return true;
        }
        std::size_t offset = _end - _begin;
        if (!Fill()) break;
        // Fill may have moved the unfinished line to the front.
        scanned = _begin + offset;
    }
    if (_begin == _end) return false;
    if (_end == _size) Grow(_end + 1);
    _buffer[_end] = '\0';
    line = _buffer.get() + _begin;
    size = _end - _begin;
    _begin = _end;
    return true;
}

void InputSource::ReadRest(std::string& out) {
    do {
        out.append(_buffer.get() + _begin, _end - _begin);
        _begin = _end;
    } while (Fill());
}

}  // namespace quillon::cli
