#ifndef QUILLON_TOOLS_INPUTSOURCE_H
#define QUILLON_TOOLS_INPUTSOURCE_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace quillon::cli {

// The bytes of a label file, read from a descriptor in large blocks. Lines
// are handed out as views into the read buffer, so a line costs no copy.
// Another thread may Cancel() the reading: a read waiting on a slow pipe
// returns at once and the input then ends, which lets the tool stop reading
// standard input as soon as it has no use for more labels.
class InputSource {
  public:
    explicit InputSource(int fd);  // does not take ownership of `fd`
    ~InputSource();

    // May be called from any thread.
    void Cancel();
    // Called whenever the next read would have to wait for the input (a
    // pipe that has nothing yet): the moment to pass on what was read.
    void OnWait(std::function<void()> hook) { _onWait = std::move(hook); }

    // The next line without its '\n', in place and followed by a NUL byte
    // (a last line without '\n' counts too); it may be changed in place and
    // stays valid until the next call. False at the end.
    bool NextLine(char*& line, std::size_t& size);
    // Appends the rest of the input to `out`.
    void ReadRest(std::string& out);

    // errno of a failed read (0: none); the input ends there.
    int Error() const { return _error; }

  private:
    // Reads more bytes after `_end`; false at the end of the input.
    bool Fill();
    // A larger buffer with the bytes read so far.
    void Grow(std::size_t size);

    int _fd;
    int _wake[2] = {-1, -1};
    // Read into, never cleared first: zeroing a megabyte cost a one-label
    // job (a spooler filter run) a quarter of its time.
    std::unique_ptr<char[]> _buffer;
    std::size_t _size;
    std::size_t _begin = 0;  // first byte not yet handed out
    std::size_t _end = 0;    // end of the bytes read
    bool _atEnd = false;
    int _error = 0;
    std::function<void()> _onWait;
};

}  // namespace quillon::cli

#endif
