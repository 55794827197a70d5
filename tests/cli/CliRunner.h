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
// `input` on standard input; in `cwd` when given, and with standard error
// closed when `closeStderr`.
CliResult RunTool(const std::vector<std::string>& args, const std::string& input = "",
                  const std::string& cwd = "", bool closeStderr = false);

// Like RunTool, but standard input stays open after `input`, as a pipe from
// a slow producer would, until the tool exits, standard error holds
// `awaited`, or 10 seconds pass; only then is it closed.
struct OpenInputResult {
    CliResult result;
    bool exitedWhileOpen = false;
    std::string errWhileOpen;  // standard error before the input was closed
};
OpenInputResult RunToolOpenInput(const std::vector<std::string>& args, const std::string& input,
                                 const std::string& awaited);

// A label with a stored picture only: the picture and the form frame are
// rendered by the label spine itself, so these outputs do not depend on any
// object kind.
std::string PictureLabel(const std::string& name, int x);
// Its VORN text at 203 dpi.
std::string VornPicture(const std::string& name, int x);

// One run of the tool and all it must show.
struct CliCase {
    std::string what;  // for messages
    std::vector<std::string> args;
    std::string input;
    int status = 0;
    std::string out, err;
};
void CheckRun(const CliCase& c, const std::string& cwd = "");

// Checks every case of `file` in the test's folder, run in `cwd` when given,
// and returns how many there were. A case is a "$" line with the arguments separated by "|", then "<"
// lines of standard input (joined by newlines), ">" lines of standard output
// (each ending in \r\n, as command text does), "!" lines of standard error
// (each ending in \n) and "?" the exit status (0 when absent). "\xHH" stands
// for a byte anywhere; "#" starts a comment.
int CheckCases(const std::string& file, const std::string& cwd = "");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// The names in `dir`, sorted.
std::set<std::string> Files(const std::string& dir);
// A fresh directory for one test's files.
std::string TempDir();

#endif
