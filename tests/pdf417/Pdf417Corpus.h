#ifndef QUILLON_TESTS_PDF417_CORPUS_H
#define QUILLON_TESTS_PDF417_CORPUS_H

// The PDF417 corpus (data/pdf417-corpus.txt): one input per line, bytes
// outside 0x20-0x7E and the backslash written as \xHH.

#include <fstream>
#include <string>
#include <vector>

namespace pdf417test {

// False when the line holds a malformed escape.
inline bool UnescapeLine(const std::string& line, std::vector<unsigned char>& out) {
    out.clear();
    for (size_t i = 0; i < line.size(); ++i) {
        auto byte = static_cast<unsigned char>(line[i]);
        if (byte == '\\') {
            const std::string hex = line.substr(i + 1, 3);
            if (hex.size() != 3 || hex[0] != 'x' ||
                hex.find_first_not_of("0123456789ABCDEFabcdef", 1) != std::string::npos)
                return false;
            byte = static_cast<unsigned char>(std::stoi(hex.substr(1), nullptr, 16));
            i += 3;
        }
        out.push_back(byte);
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
