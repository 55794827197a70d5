#ifndef QUILLON_TESTS_CLIRUNNER_H
#define QUILLON_TESTS_CLIRUNNER_H

#include <string>
#include <vector>

struct CliResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs the tool with `args`, feeding `input` on standard input; in `cwd`
// when given, and with standard error closed when `closeStderr`.
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
// Its VORN text.
std::string VornPicture(const std::string& name, int x, const std::string& dpi = "203");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// A fresh directory for one test's files.
std::string TempDir();

#endif
