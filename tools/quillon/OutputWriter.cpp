#include "OutputWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Target.h"

namespace quillon::cli {

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
