// quillon-label: the CUPS filter for label files. CUPS runs it as
//
//   quillon-label job-id user title copies options [file]
//
// It renders the label file (the file argument, else standard input) with
// `quillon render` in the queue's printer language and resolution, and
// writes the command text `copies` times on standard output. The whole job
// is rendered before the first byte is written, so a bad label prints
// nothing: its message goes to the job log and the filter exits non-zero,
// which ends the job while the queue goes on with the next one.
//
// It runs once per job, so it starts no program but the tool: the options
// and the PPD are read here rather than by a shell and its helpers.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LabelFilter.h"

extern char** environ;

namespace quillon::cups {
namespace {

int Fail(const std::string& message) {
    std::string line = "ERROR: " + message + "\n";
    (void)!::write(2, line.data(), line.size());
    return 1;
}

bool WriteAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// What the tool wrote on each stream, and how it ended.
struct ToolRun {
    std::string text, messages;
    int status = -1;
    std::string error;  // the tool could not be run
};

// Runs `quillon render ARGS -` on `input` and collects both its streams.
ToolRun RunTool(const std::vector<std::string>& args, int input) {
    ToolRun run;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        run.error = std::string("cannot make a pipe: ") + std::strerror(errno);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input != 0) posix_spawn_file_actions_adddup2(&actions, input, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    // The filter ignores SIGPIPE to report a closed output itself; the tool
    // gets the default back.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t reset;
    sigemptyset(&reset);
    sigaddset(&reset, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &reset);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> words = {"quillon", "render"};
    words.insert(words.end(), args.begin(), args.end());
    words.push_back("-");
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    int spawned = posix_spawnp(&pid, "quillon", &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(out[1]);
    ::close(err[1]);
    if (spawned != 0) {
        ::close(out[0]);
        ::close(err[0]);
        run.error = spawned == ENOENT ? std::string("the quillon tool is not installed (looked in ") +
                                            std::getenv("PATH") + ")"
                                      : std::string("cannot run quillon: ") + std::strerror(spawned);
        return run;
    }

    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.text, &run.messages};
    char buffer[65536];
    for (int open = 2; open > 0;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& p : fds)
        if (p.fd >= 0) ::close(p.fd);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

void ReportMessages(const std::string& messages, const std::string& title) {
    std::string log;
    for (std::size_t at = 0; at < messages.size();) {
        std::size_t end = messages.find('\n', at);
        if (end == std::string::npos) end = messages.size();
        log += LogLine(std::string_view(messages).substr(at, end - at), title) + "\n";
        at = end + 1;
    }
    WriteAll(2, log);
}

int Main(int argc, char** argv) {
    if (argc != 6 && argc != 7) return Fail("usage: quillon-label job-id user title copies options [file]");
    const std::string title = *argv[3] ? argv[3] : "label";
    const long copies = ParseCopies(argv[4]);
    if (copies == 0) return Fail(std::string("copies \"") + argv[4] + "\": expected a whole number from 1");

    // The queue's settings are its PPD's defaults; the job may override them.
    std::string language, resolution;
    if (const char* ppdPath = std::getenv("PPD")) {
        std::ifstream in(ppdPath, std::ios::binary);
        const std::string ppd{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        language = PpdDefault(ppd, "LabelLanguage");
        resolution = PpdDefault(ppd, "Resolution");
    }
    for (const auto& [name, value] : ParseOptions(argv[5])) {
        if (name == "LabelLanguage") language = value;
        if (name == "Resolution") resolution = value;
    }
    const RenderArguments render = ChooseRenderArguments(language, resolution);
    if (!render.error.empty()) return Fail(render.error);

    int input = 0;
    if (argc == 7 && (input = ::open(argv[6], O_RDONLY | O_CLOEXEC)) < 0)
        return Fail(title + ": cannot read the job's file: " + std::strerror(errno));
    // CUPS gives filters a fixed PATH; the tool's own install directory
    // comes last.
    const char* path = std::getenv("PATH");
    ::setenv("PATH", ((path ? std::string(path) + ":" : std::string()) + QUILLON_TOOL_DIR).c_str(), 1);
    ::signal(SIGPIPE, SIG_IGN);

    ToolRun run = RunTool(render.args, input);
    if (!run.error.empty()) return Fail(run.error);
    ReportMessages(run.messages, title);
    if (run.status > 128)
        return Fail("quillon render was stopped by signal " + std::to_string(run.status - 128));
    if (run.status != 0) return run.status;
    for (long i = 0; i < copies; ++i)
        if (!WriteAll(1, run.text))
            return Fail(std::string("cannot write the command text: ") + std::strerror(errno));
    return 0;
}

}  // namespace
}  // namespace quillon::cups

int main(int argc, char** argv) {
    return quillon::cups::Main(argc, argv);
}
