#ifndef QUILLON_BASE_NOTICE_H
#define QUILLON_BASE_NOTICE_H

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace quillon {

// Where the one-line messages of rendering go: notices for parameters a
// language cannot express (rendering goes on) and warnings such as
// "Out of string length!!". A label renders through its form's sink.
class NoticeSink {
  public:
    virtual ~NoticeSink() = default;
    virtual void Notice(std::string_view line) = 0;
    virtual void Warning(std::string_view line) = 0;
};

// Notices to standard output, warnings to standard error.
NoticeSink& StandardStreams();

// "line\n" to `stream` in a single call, so that lines written by two
// threads never interleave. The lines are short and may come at every
// rendering, so the line is put together on the stack.
inline void WriteLine(std::string_view line, std::FILE* stream) {
    char buf[128];
    if (line.size() < sizeof buf) {
        std::memcpy(buf, line.data(), line.size());
        buf[line.size()] = '\n';
        std::fwrite(buf, 1, line.size() + 1, stream);
        return;
    }
    std::string copy(line);
    copy.push_back('\n');
    std::fwrite(copy.data(), 1, copy.size(), stream);
}

inline void Notice(std::string_view line) {
    WriteLine(line, stdout);
}

inline void Warning(std::string_view line) {
    WriteLine(line, stderr);
}

}  // namespace quillon

#endif
