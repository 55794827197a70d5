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

std::string Unescape(std::string s) {
    for (std::size_t at = 0; (at = s.find("\\x", at)) != std::string::npos; ++at)
        s.replace(at, 4, 1, static_cast<char>(std::stoi(s.substr(at + 2, 2), nullptr, 16)));
    return s;
}

}  // namespace

CliResult RunTool(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                  bool closeStderr, OpenInput* open) {
    // The child of a process with threads must not allocate: its arguments
    // are made here.
    std::vector<char*> argv = {const_cast<char*>(QUILLON_TOOL)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        throw std::runtime_error("pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        if (closeStderr) close(2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    // A tool that stops reading early ends the feed, not the test.
    signal(SIGPIPE, SIG_IGN);
    // Input large enough to fill the pipe goes in from a thread of its own,
    // while the output is read here.
    std::thread feed([&] {
        for (std::size_t done = 0; done < input.size();) {
            const ssize_t n = write(in[1], input.data() + done, input.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        if (!open) close(in[1]);
    });
    CliResult r;
    int fds[2] = {out[0], err[0]};
    int status = 0;
    bool exited = false;
    if (open) {
        feed.join();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline && !exited) {
            exited = waitpid(pid, &status, WNOHANG) == pid;
            if (!open->awaited.empty() && r.err.find(open->awaited) != std::string::npos) break;
            Drain(fds, r, 20);
        }
        open->exitedWhileOpen = exited;
        open->errWhileOpen = r.err;
        close(in[1]);
    }
    while (fds[0] >= 0 || fds[1] >= 0) Drain(fds, r, 10000);
    if (feed.joinable()) feed.join();
    if (!exited) waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

std::string PictureLabel(const std::string& name, int x) {
    return R"({"name": ")" + name + R"(", "objects": [{"type": "picture", "x": )" + std::to_string(x) +
           R"(, "y": 2, "name": "A"}]})";
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
        if (mark == '$')
            for (std::size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 1)
                c.args.push_back(text.substr(at, (bar = text.find('|', at)) - at));
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
