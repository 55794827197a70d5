#include "CliRunner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

// The tool's process and our ends of the pipes on its standard streams.
struct Child {
    pid_t pid;
    int in, out, err;
};

Child Spawn(const std::vector<std::string>& args, const std::string& cwd, bool closeStderr) {
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        throw std::runtime_error("pipe");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        if (closeStderr) close(2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        std::string tool = QUILLON_TOOL;
        argv.push_back(tool.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(tool.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    return {pid, in[1], out[0], err[0]};
}

// Reads what is there on the tool's standard output and error (fds[0],
// fds[1]) within `timeoutMs`; a descriptor at its end is closed and set -1.
void Drain(int fds[2], CliResult& r, int timeoutMs) {
    pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
    if (poll(p, 2, timeoutMs) <= 0) return;
    char buf[65536];
    for (int i = 0; i < 2; ++i) {
        if (fds[i] < 0 || !(p[i].revents & (POLLIN | POLLHUP))) continue;
        ssize_t n = read(fds[i], buf, sizeof buf);
        if (n <= 0) close(fds[i]), fds[i] = -1;
        if (n > 0) (i == 0 ? r.out : r.err).append(buf, static_cast<std::size_t>(n));
    }
}

// With `awaited`, standard input stays open after `input` (small enough to
// fit the pipe) until the tool exits, standard error holds *awaited, or 10
// seconds pass.
OpenInputResult Run(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                    bool closeStderr, const std::string* awaited) {
    const Child child = Spawn(args, cwd, closeStderr);
    signal(SIGPIPE,
           SIG_IGN);  // a tool that stops reading early ends the feed, not the test
    // Input large enough to fill the pipe goes in from a thread of its own,
    // while the output is read here.
    std::thread feed([&] {
        for (std::size_t done = 0; done < input.size();) {
            const ssize_t n = write(child.in, input.data() + done, input.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        if (!awaited) close(child.in);
    });
    OpenInputResult r;
    int fds[2] = {child.out, child.err};
    int status = 0;
    if (awaited) {
        feed.join();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline && !r.exitedWhileOpen) {
            r.exitedWhileOpen = waitpid(child.pid, &status, WNOHANG) == child.pid;
            if (!awaited->empty() && r.result.err.find(*awaited) != std::string::npos) break;
            Drain(fds, r.result, 20);
        }
        r.errWhileOpen = r.result.err;
        close(child.in);
    }
    while (fds[0] >= 0 || fds[1] >= 0) Drain(fds, r.result, 10000);
    if (feed.joinable()) feed.join();
    if (!r.exitedWhileOpen) waitpid(child.pid, &status, 0);
    r.result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

std::string Unescape(std::string s) {
    for (std::size_t at = 0; (at = s.find("\\x", at)) != std::string::npos; ++at)
        s.replace(at, 4, 1, static_cast<char>(std::stoi(s.substr(at + 2, 2), nullptr, 16)));
    return s;
}

}  // namespace

CliResult RunTool(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                  bool closeStderr) {
    return Run(args, input, cwd, closeStderr, nullptr).result;
}

OpenInputResult RunToolOpenInput(const std::vector<std::string>& args, const std::string& input,
                                 const std::string& awaited) {
    return Run(args, input, "", false, &awaited);
}

std::string PictureLabel(const std::string& name, int x) {
    return R"({"name": ")" + name + R"(", "objects": [{"type": "picture", "x": )" + std::to_string(x) +
           R"(, "y": 2, "name": "A"}]})";
}

std::string VornPicture(const std::string& name, int x) {
    return "REM " + name + " FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\n" +
           "REM SCALE 203,203\r\nPUTPNG," + std::to_string(x) + ",2,\"A\"\r\nPRINT 1\r\nREM " + name +
           " FORM END\r\n";
}

void CheckRun(const CliCase& c, const std::string& cwd) {
    const CliResult r = RunTool(c.args, c.input, cwd);
    EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
    EXPECT_EQ(r.out, c.out) << c.what;
    EXPECT_EQ(r.err, c.err) << c.what;
}

int CheckCases(const std::string& file, const std::string& cwd) {
    std::istringstream in(ReadFile(QUILLON_TESTS_DIR "/" + file));
    std::vector<CliCase> cases;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        const std::string where = file + ":" + std::to_string(++number);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '$' || cases.empty()) cases.emplace_back().what = where;
        CliCase& c = cases.back();
        const std::string text = Unescape(line.substr(std::min<std::size_t>(line.size(), 2)));
        const char mark = line[0];
        if (mark == '$') {
            for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 1)
                c.args.push_back(text.substr(at, (bar = text.find('|', at)) - at));
        }
        if (mark == '<') c.input += "\n" + text;
        if (mark == '>') c.out += text + "\r\n";
        if (mark == '!') c.err += text + "\n";
        if (mark == '?') c.status = std::stoi(text);
        if (!std::strchr("$<>!?", mark)) ADD_FAILURE() << where << ": no such marker";
    }
    for (CliCase& c : cases) {
        c.input.erase(0, 1);  // the newline before the first line
        CheckRun(c, cwd);
    }
    return static_cast<int>(cases.size());
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

std::set<std::string> Files(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename());
    return names;
}

std::string TempDir() {
    char pattern[] = "/tmp/quillon-cli-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) throw std::runtime_error("mkdtemp");
    return dir;
}
