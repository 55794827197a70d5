#ifndef QUILLON_TESTS_PDF417_CORPUS_H
#define QUILLON_TESTS_PDF417_CORPUS_H

// Reads the shared PDF417 workload: one input per line, bytes outside
// 0x20-0x7E and the backslash written as \xHH.

#include <fstream>
#include <string>
#include <vector>

namespace pdf417test {

inline int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// False when a line holds a malformed escape.
inline bool UnescapeLine(const std::string& line, std::vector<unsigned char>& out) {
    out.clear();
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            out.push_back(static_cast<unsigned char>(line[i]));
            continue;
        }
        if (i + 3 >= line.size() || line[i + 1] != 'x') return false;
        const int hi = HexDigit(line[i + 2]), lo = HexDigit(line[i + 3]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<unsigned char>(hi * 16 + lo));
        i += 3;
    }
    return true;
}

// Empty when the file cannot be read or a line is malformed.
inline std::vector<std::vector<unsigned char>> LoadCorpus(const std::string& path) {
    std::vector<std::vector<unsigned char>> inputs;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::vector<unsigned char> bytes;
    while (std::getline(in, line)) {
        if (!UnescapeLine(line, bytes)) return {};
        inputs.push_back(bytes);
    }
    return inputs;
}

}  // namespace pdf417test

#endif
