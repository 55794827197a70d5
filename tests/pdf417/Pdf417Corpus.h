#ifndef QUILLON_TESTS_PDF417_CORPUS_H
#define QUILLON_TESTS_PDF417_CORPUS_H

// The PDF417 corpus (data/pdf417-corpus.txt): one input per line, bytes
// outside 0x20-0x7E and the backslash written as \xHH.

#include <cctype>
#include <fstream>
#include <string>
#include <vector>

namespace pdf417test {

// False when the line holds a malformed escape.
inline bool UnescapeLine(const std::string& line, std::vector<unsigned char>& out) {
    out.clear();
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            out.push_back(static_cast<unsigned char>(line[i]));
            continue;
        }
        if (i + 4 > line.size() || line[i + 1] != 'x' ||
            !std::isxdigit(static_cast<unsigned char>(line[i + 2])) ||
            !std::isxdigit(static_cast<unsigned char>(line[i + 3])))
            return false;
        out.push_back(static_cast<unsigned char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
        i += 3;
    }
    return true;
}

// Empty when the file cannot be read or a line is malformed.
inline std::vector<std::vector<unsigned char>> LoadCorpus(const std::string& path) {
    std::vector<std::vector<unsigned char>> inputs;
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes;
    for (std::string line; std::getline(in, line); inputs.push_back(bytes))
        if (!UnescapeLine(line, bytes)) return {};
    return inputs;
}

}  // namespace pdf417test

#endif
