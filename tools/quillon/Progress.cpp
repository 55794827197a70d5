#include "Progress.h"

#include <unistd.h>

#include <string>

namespace quillon::cli {

Progress::Progress(bool enabled, std::uint64_t totalBytes)
    : _enabled(enabled), _total(totalBytes), _start(std::chrono::steady_clock::now()), _last(_start) {}

Progress::~Progress() {
    Finish();
}

void Progress::Update(std::uint64_t labels, std::uint64_t bytes) {
    if (!_enabled) return;
    _labels = labels;
    _bytes = bytes;
    auto now = std::chrono::steady_clock::now();
    if (now - _last < std::chrono::milliseconds(100)) return;
    _last = now;
    Draw();
}

void Progress::Draw() {
    double seconds = std::chrono::duration<double>(_last - _start).count();
    std::string line = "\r";
    if (_total > 0) {
        std::uint64_t done = _bytes > _total ? _total : _bytes;
        int filled = static_cast<int>(done * 30 / _total);
        line += '[';
        line.append(static_cast<std::size_t>(filled), '#');
        line.append(static_cast<std::size_t>(30 - filled), ' ');
        line += "] " + std::to_string(done * 100 / _total) + "%  ";
    }
    line += std::to_string(_labels) + " labels";
    if (seconds > 0)
        line += "  " + std::to_string(static_cast<std::uint64_t>(_labels / seconds)) + " labels/s";
    line += "\x1b[K";
    (void)!::write(2, line.data(), line.size());
    _drawn = true;
}

void Progress::Finish() {
    if (!_enabled || !_drawn) return;
    const char clear[] = "\r\x1b[K";
    (void)!::write(2, clear, sizeof clear - 1);
    _drawn = false;
}

}  // namespace quillon::cli
