#ifndef QUILLON_TOOLS_TARGET_H
#define QUILLON_TOOLS_TARGET_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "quillon/Delivery.h"

namespace quillon::cli {

// A command line that cannot be carried out as written.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Output that could not be written; the message names it.
class SendError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where `--to` sends the command text: standard output, or a printer.
struct Target {
    std::string uri;  // as given, for messages
    bool toStdout = false;
    DeliveryTarget printer;
};

// Throws UsageError with a message naming the URI and what is wrong.
Target ParseTarget(const std::string& uri);

// "sent 20,000 labels, 20,840,000 bytes to tcp://printer:9100 in 1.9 s"
std::string SentLine(std::uint64_t labels, std::uint64_t bytes, const std::string& uri, double seconds);
// "tcp://printer:9100: the printer accepted 1,048,576 of 20,840,000 bytes: <why>"
std::string StoppedLine(const DeliveryResult& outcome, std::uint64_t bytes, const std::string& uri);
// The printer's reply under a line that gives its size.
std::string ReplyText(const DeliveryResult& outcome);

// Writes all of `bytes` to a file descriptor; false on a write error.
bool WriteAll(int fd, const char* bytes, std::size_t size);

// Command text to a file or a descriptor in blocks of 256 KiB; the file is
// opened on the first write, so an input that renders nothing leaves none.
// Throws SendError when opening or writing fails.
class TextFile {
  public:
    // `path` empty or "-": write to `stdoutFd` instead.
    TextFile(std::string path, int stdoutFd) : _path(std::move(path)), _stdoutFd(stdoutFd) {}
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    void Append(std::string_view text) {
        _buffer.append(text);
        if (_buffer.size() >= kBlock) Flush();
    }
    void Flush();

  private:
    static constexpr std::size_t kBlock = 256 * 1024;

    std::string _path;
    int _stdoutFd;
    int _fd = -1;
    bool _owned = false;
    std::string _buffer;
};

}  // namespace quillon::cli

#endif
