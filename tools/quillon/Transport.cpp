// Writing command text out, and the lines that say how a job went.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Notices.h"
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

std::string SentLine(std::uint64_t labels, std::uint64_t bytes, const std::string& uri, double seconds) {
    char time[32];
    std::snprintf(time, sizeof time, "%.1f s", seconds);
    return "sent " + Grouped(labels) + (labels == 1 ? " label, " : " labels, ") + Grouped(bytes) +
           " bytes to " + uri + " in " + time;
}

std::string StoppedLine(const DeliveryResult& outcome, std::uint64_t bytes, const std::string& uri) {
    return uri + ": the printer accepted " + Grouped(outcome.accepted) + " of " + Grouped(bytes) +
           " bytes: " + outcome.error;
}

std::string ReplyText(const DeliveryResult& outcome) {
    std::string text = "the printer replied " + Grouped(outcome.replyBytes) + " bytes";
    if (outcome.reply.size() < outcome.replyBytes)
        text += ", the first " + Grouped(outcome.reply.size()) + " follow";
    text += outcome.replyBytes ? ":\n" + outcome.reply : "\n";
    if (!outcome.reply.empty() && outcome.reply.back() != '\n') text += '\n';
    return text;
}

TextFile::~TextFile() {
    if (_owned) ::close(_fd);
}

void TextFile::Flush() {
    if (_buffer.empty()) return;
    if (_fd < 0) {
        _owned = !_path.empty() && _path != "-";
        _fd = _owned ? ::open(_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : _stdoutFd;
        if (_fd < 0) throw SendError(_path + ": " + std::strerror(errno));
    }
    if (!WriteAll(_fd, _buffer.data(), _buffer.size()))
        throw SendError((_owned ? _path : std::string("standard output")) + ": " + std::strerror(errno));
    _buffer.clear();
}

}  // namespace quillon::cli
