#include "CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// The tool's process and our ends of the pipes on its standard streams.
struct Child {
    pid_t pid;
    int in, out, err;
};

Child Spawn(const std::vector<std::string>& args, const std::string& cwd = "", bool closeStderr = false) {
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

}  // namespace

CliResult RunTool(const std::vector<std::string>& args, const std::string& input, const std::string& cwd,
                  bool closeStderr) {
    const Child child = Spawn(args, cwd, closeStderr);
    const pid_t pid = child.pid;
    CliResult r;
    std::size_t written = 0;
    int inFd = child.in;
    int out = child.out, err = child.err;
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    }
    int open = 2;
    while (open > 0 || inFd >= 0) {
        pollfd fds[3] = {{out, POLLIN, 0}, {err, POLLIN, 0}, {inFd, POLLOUT, 0}};
        poll(fds, 3, 10000);
        char buf[65536];
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                close(fds[i].fd);
                (i == 0 ? out : err) = -1;
                --open;
            } else {
                (i == 0 ? r.out : r.err).append(buf, static_cast<std::size_t>(n));
            }
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = write(inFd, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (n < 0 || written == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

OpenInputResult RunToolOpenInput(const std::vector<std::string>& args, const std::string& input,
                                 const std::string& awaited) {
    const Child child = Spawn(args);
    const pid_t pid = child.pid;
    // Small enough to fit the pipe, so the write cannot block.
    if (write(child.in, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        throw std::runtime_error("write");
    OpenInputResult r;
    int fds[2] = {child.out, child.err};
    auto drain = [&](int timeoutMs) {
        pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (poll(p, 2, timeoutMs) <= 0) return;
        char buf[65536];
        for (int i = 0; i < 2; ++i) {
            if (fds[i] < 0 || !(p[i].revents & (POLLIN | POLLHUP))) continue;
            ssize_t n = read(fds[i], buf, sizeof buf);
            if (n <= 0) {
                close(fds[i]);
                fds[i] = -1;
            } else {
                (i == 0 ? r.result.out : r.result.err).append(buf, static_cast<std::size_t>(n));
            }
        }
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            r.exitedWhileOpen = true;
            break;
        }
        if (!awaited.empty() && r.result.err.find(awaited) != std::string::npos) break;
        drain(20);
    }
    r.errWhileOpen = r.result.err;
    close(child.in);
    while (fds[0] >= 0 || fds[1] >= 0) drain(10000);
    if (!r.exitedWhileOpen) waitpid(pid, &status, 0);
    r.result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

std::string PictureLabel(const std::string& name, int x) {
    return R"({"name": ")" + name + R"(", "objects": [{"type": "picture", "x": )" + std::to_string(x) +
           R"(, "y": 2, "name": "A"}]})";
}

std::string VornPicture(const std::string& name, int x, const std::string& dpi) {
    return "REM " + name + " FORM BEGIN\r\nCLS\r\nDPI = " + dpi +
           "\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\n" + "REM SCALE " + dpi + "," + dpi + "\r\nPUTPNG," +
           std::to_string(x) + ",2,\"A\"\r\nPRINT 1\r\nREM " + name + " FORM END\r\n";
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

std::string TempDir() {
    char pattern[] = "/tmp/quillon-cli-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) throw std::runtime_error("mkdtemp");
    return dir;
}
