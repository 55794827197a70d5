#ifndef QUILLON_GENERATE_NOTICE_H
#define QUILLON_GENERATE_NOTICE_H

#include <cstdio>
#include <string>
#include <string_view>

namespace quillon {

// Writes one line ("text\n") to standard output in a single call. Used for
// parameters a language cannot express: rendering goes on after the line.
inline void Notice(std::string_view text) {
    std::string line(text);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
}

// Same, to standard error (for example "Out of string length!!").
inline void Warning(std::string_view text) {
    std::string line(text);
    line.push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace quillon

#endif
