#ifndef QUILLON_TOOLS_OUTPUTWRITER_H
#define QUILLON_TOOLS_OUTPUTWRITER_H

#include <string>
#include <string_view>

namespace quillon::cli {

// Command text to a named file or to a descriptor, written in blocks of
// 256 KiB. The file is opened only on the first write, so that an input
// that renders nothing leaves no file behind. Throws SendError when opening
// or writing fails.
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
