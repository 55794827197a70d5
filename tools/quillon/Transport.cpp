// Transports behind `--to`. Standard output is the tool's own; the printer
// connections are the library's connection classes.

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Target.h"

namespace quillon::cli {

bool WriteAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

namespace {

class StdoutTransport : public Transport {
  public:
    explicit StdoutTransport(int fd) : _fd(fd) {}
    void Send(const std::string& bytes) override {
        if (!WriteAll(_fd, bytes.data(), bytes.size()))
            throw SendError(std::string("standard output: ") + std::strerror(errno));
    }

  private:
    int _fd;
};

}  // namespace

std::unique_ptr<Transport> OpenPrinterTransport(const Target& target);

std::unique_ptr<Transport> OpenTransport(const Target& target, int stdoutFd) {
    if (target.kind == Target::Kind::Stdout) return std::make_unique<StdoutTransport>(stdoutFd);
    return OpenPrinterTransport(target);
}

}  // namespace quillon::cli
