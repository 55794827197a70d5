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

// What `send` may wait for. Connecting and every pause of the printer are
// bounded by `timeout`; the printer gets at most two seconds after the job
// to close its side.
struct SendLimits {
    double timeoutSeconds = 30;
};

// How far a job got.
struct SendOutcome {
    bool complete = false;
    std::uint64_t accepted = 0;  // bytes the printer accepted
    std::string error;           // why it stopped; empty when complete
    std::string reply;           // what the printer sent, at most 64 KiB
    std::uint64_t replyBytes = 0;
};

// The one seam between the tool and the library's delivery.
class Transport {
  public:
    virtual ~Transport() = default;
    // A job the printer took only in part is an outcome, not an exception;
    // SendError is for a destination that cannot be used at all.
    virtual SendOutcome Send(const std::string& bytes) = 0;
};

// The transport for the target; throws SendError when this libquillon
// cannot reach it. `stdoutFd` is where command text for `--to -` goes.
std::unique_ptr<Transport> OpenTransport(const Target& target, int stdoutFd, const SendLimits& options);

// "sent 20,000 labels, 20,840,000 bytes to tcp://printer:9100 in 1.9 s"
std::string SentLine(std::uint64_t labels, std::uint64_t bytes, const std::string& uri, double seconds);
// "tcp://printer:9100: the printer accepted 1,048,576 of 20,840,000 bytes: <why>"
std::string StoppedLine(const SendOutcome& outcome, std::uint64_t bytes, const std::string& uri);
// The printer's reply under a line that gives its size.
std::string ReplyText(const SendOutcome& outcome);

// Writes all of `bytes` to a file descriptor; false on a write error.
bool WriteAll(int fd, const char* bytes, std::size_t size);

}  // namespace quillon::cli

#endif
