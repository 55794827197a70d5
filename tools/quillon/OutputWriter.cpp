#include "OutputWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "Target.h"

namespace quillon::cli {

TextFile::~TextFile() {
    if (_owned) ::close(_fd);
}

void TextFile::Write(std::string_view text) {
    if (text.empty()) return;
    if (_fd < 0) {
        if (_path.empty() || _path == "-") {
            _fd = _stdoutFd;
        } else {
            _fd = ::open(_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (_fd < 0) throw SendError(_path + ": " + std::strerror(errno));
            _owned = true;
        }
    }
    if (!WriteAll(_fd, text.data(), text.size()))
        throw SendError((_owned ? _path : std::string("standard output")) + ": " + std::strerror(errno));
}

OutputWriter::OutputWriter(std::string path, int stdoutFd) : _file(std::move(path), stdoutFd) {
    // A label's text may push a block past its nominal size.
    _filling.reserve(kBlock + kBlock / 4);
    _writing.reserve(kBlock + kBlock / 4);
    _thread = std::thread([this] { Run(); });
}

OutputWriter::~OutputWriter() {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _quit = true;
    }
    _wake.notify_all();
    _thread.join();
}

void OutputWriter::Hand() {
    std::unique_lock<std::mutex> lock(_mutex);
    _wake.wait(lock, [this] { return !_busy; });
    if (!_failure.empty()) throw SendError(_failure);
    std::swap(_filling, _writing);
    _busy = true;
    lock.unlock();
    _wake.notify_all();
}

void OutputWriter::Finish() {
    if (!_filling.empty()) Hand();
    std::unique_lock<std::mutex> lock(_mutex);
    _wake.wait(lock, [this] { return !_busy; });
    if (!_failure.empty()) throw SendError(_failure);
}

void OutputWriter::Run() {
    std::unique_lock<std::mutex> lock(_mutex);
    for (;;) {
        _wake.wait(lock, [this] { return _busy || _quit; });
        if (!_busy) return;
        lock.unlock();
        std::string failure;
        try {
            _file.Write(_writing);
        } catch (const SendError& e) {
            failure = e.what();
        }
        _writing.clear();
        lock.lock();
        if (_failure.empty()) _failure = std::move(failure);
        _busy = false;
        _wake.notify_all();
    }
}

}  // namespace quillon::cli
