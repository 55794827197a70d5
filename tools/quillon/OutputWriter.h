#ifndef QUILLON_TOOLS_OUTPUTWRITER_H
#define QUILLON_TOOLS_OUTPUTWRITER_H

#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace quillon::cli {

// Command text to a named file or to a descriptor. The file is opened only
// on the first write, so that an input that renders nothing leaves no file
// behind. Throws SendError when opening or writing fails.
class TextFile {
  public:
    // `path` empty or "-": write to `stdoutFd` instead.
    TextFile(std::string path, int stdoutFd) : _path(std::move(path)), _stdoutFd(stdoutFd) {}
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    void Write(std::string_view text);

  private:
    std::string _path;
    int _stdoutFd;
    int _fd = -1;
    bool _owned = false;
};

// Collects command text in blocks of 256 KiB and writes each full block on
// a thread of its own while the next one fills: rendering does not wait for
// the kernel unless the writer falls a whole block behind.
class OutputWriter {
  public:
    OutputWriter(std::string path, int stdoutFd);
    ~OutputWriter();  // drops what was not finished
    OutputWriter(const OutputWriter&) = delete;
    OutputWriter& operator=(const OutputWriter&) = delete;

    // Throws SendError once an earlier block failed to be written.
    void Append(std::string_view text) {
        _filling.append(text);
        if (_filling.size() >= kBlock) Hand();
    }
    // Writes what is left and waits for it; throws SendError on failure.
    void Finish();

  private:
    static constexpr std::size_t kBlock = 256 * 1024;

    void Hand();
    void Run();

    TextFile _file;
    std::string _filling;  // owned by the caller's thread
    std::string _writing;  // owned by the writer while `_busy`
    std::mutex _mutex;
    std::condition_variable _wake;
    bool _busy = false;
    bool _quit = false;
    std::string _failure;  // the SendError message, once a write failed
    std::thread _thread;
};

}  // namespace quillon::cli

#endif
