#ifndef QUILLON_TESTS_CLIRUNNER_H
#define QUILLON_TESTS_CLIRUNNER_H

#include <set>
#include <string>
#include <vector>

struct CliResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs the tool (QUILLON_TOOL of the test binary) with `args`, feeding
// `input` on standard input; in `cwd` when given, with standard error closed
// when `closeStderr`. With `open`, standard input stays open after `input`
// (small enough to fit the pipe), as a pipe from a slow producer would, until
// the tool exits, standard error holds `awaited`, or 10 seconds pass.
struct OpenInput {
    std::string awaited;
    bool exitedWhileOpen = false;
    std::string errWhileOpen;  // standard error before the input was closed
};
CliResult RunTool(const std::vector<std::string>& args, const std::string& input = "",
                  const std::string& cwd = "", bool closeStderr = false, OpenInput* open = nullptr);

// A label with a stored picture only: the picture and the form frame are
// rendered by the label spine itself, so these outputs do not depend on any
// object kind.
std::string PictureLabel(const std::string& name, int x);

// One run of the tool and all it must show.
struct CliCase {
    std::string what;  // for messages
    std::vector<std::string> args;
    std::string input;
    int status = 0;
    std::string out, err;
};
void CheckRun(const CliCase& c, const std::string& cwd = "");

// Checks every case of `file` in the test's folder (its markers are described
// at the top of runs.txt), run in `cwd` when given; returns how many there were.
int CheckCases(const std::string& file, const std::string& cwd = "");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// The names in `dir`, sorted.
std::set<std::string> Files(const std::string& dir);
// A fresh directory for one test's files.
std::string TempDir();

#endif
