#ifndef QUILLON_GENERATE_NOTICE_H
#define QUILLON_GENERATE_NOTICE_H

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace quillon {

// Writes "text\n" to `stream` in a single call. The notices are short and
// may come at every rendering, so the line is put together on the stack.
inline void WriteLine(std::string_view text, std::FILE* stream) {
    char buf[128];
    if (text.size() < sizeof buf) {
        std::memcpy(buf, text.data(), text.size());
        buf[text.size()] = '\n';
        std::fwrite(buf, 1, text.size() + 1, stream);
        return;
    }
    std::string line(text);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stream);
}

// One line to standard output. Used for parameters a language cannot
// express: rendering goes on after the line.
inline void Notice(std::string_view text) {
    WriteLine(text, stdout);
}

// Same, to standard error (for example "Out of string length!!").
inline void Warning(std::string_view text) {
    WriteLine(text, stderr);
}

}  // namespace quillon

#endif
