#ifndef QUILLON_TESTS_CLIRUNNER_H
#define QUILLON_TESTS_CLIRUNNER_H

#include <string>
#include <vector>

struct CliResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs the tool with `args`, feeding `input` on standard input.
CliResult RunTool(const std::vector<std::string>& args, const std::string& input = "");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// A fresh directory for one test's files.
std::string TempDir();

#endif
