#ifndef QUILLON_TOOLS_TARGET_H
#define QUILLON_TOOLS_TARGET_H

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace quillon::cli {

// A command line that cannot be carried out as written.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A transport that could not deliver; the message names the transport.
class SendError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where `--to` sends the command text.
struct Target {
    enum class Kind { Stdout, Tcp, Usb, Serial, Bluetooth };
    Kind kind = Kind::Stdout;
    std::string uri;        // as given, for messages
    std::string host;       // Tcp: address text as the connection takes it (fe80::1%eth0)
    int port = 9100;        // Tcp
    int vendorId = -1;      // Usb: -1 = first known printer
    int productId = -1;     // Usb
    std::string device;     // Serial
    int baud = 9600;        // Serial
    std::uint64_t mac = 0;  // Bluetooth, first byte of the text most significant
    int channel = 1;        // Bluetooth
};

// Throws UsageError with a message naming the URI and what is wrong.
Target ParseTarget(const std::string& uri);

// The one seam between the tool and the connection classes.
class Transport {
  public:
    virtual ~Transport() = default;
    // Throws SendError.
    virtual void Send(const std::string& bytes) = 0;
};

// Opens the target; throws SendError when it cannot be opened. `stdoutFd`
// is where command text for `--to -` goes.
std::unique_ptr<Transport> OpenTransport(const Target& target, int stdoutFd);

// Writes all of `bytes` to a file descriptor; false on a write error.
bool WriteAll(int fd, const char* bytes, std::size_t size);

}  // namespace quillon::cli

#endif
