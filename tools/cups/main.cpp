// quillon-label: the CUPS filter for label files. CUPS runs it as
//
//   quillon-label job-id user title copies options [file]
//
// It renders the label file (the file argument, else standard input) in the
// queue's printer language and resolution with the tool's own reader and
// checks, and writes the command text `copies` times on standard output.
// The whole job is rendered before the first byte is written, so a bad label
// prints nothing: its message goes to the job log and the filter exits
// non-zero, which ends the job while the queue goes on with the next one.
//
// It starts once per job, and a job is mostly one label, so what it spends
// before and around that label counts: it is linked as a static PIE with
// the library's archive (no loader, no shared libraries to map and bind,
// none of host text's libraries), and it reads and renders on its one
// thread, where the tool reads on a thread of its own ahead of rendering.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "Cli.h"
#include "LabelFilter.h"

namespace quillon {
namespace {

std::string gTitle = "label";

void Log(std::string_view level, std::string_view message) {
    const std::string line = cups::LogLine(level, message, gTitle);
    (void)!::write(2, line.data(), line.size());
}

}  // namespace

// The renderer's errors are the job's.
void cli::Report(const std::string& message) {
    Log("ERROR", message);
}

namespace cups {
namespace {

int Fail(const std::string& message) {
    Log("ERROR", message);
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

// The whole of a small file; "" when it cannot be read.
std::string ReadFile(const char* path) {
    std::string text;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return text;
    char block[8192];
    for (ssize_t n; (n = ::read(fd, block, sizeof block)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        text.append(block, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// The queue's settings are its PPD's defaults; the job may override them.
Rendering QueueRendering(const char* options) {
    std::string language, resolution;
    if (const char* ppdPath = std::getenv("PPD")) {
        const std::string ppd = ReadFile(ppdPath);
        language = PpdDefault(ppd, "LabelLanguage");
        resolution = PpdDefault(ppd, "Resolution");
    }
    for (const auto& [name, value] : ParseOptions(options)) {
        if (name == "LabelLanguage") language = value;
        if (name == "Resolution") resolution = value;
    }
    return ChooseRendering(language, resolution);
}

// Renders standard input as `quillon render -` does, but on this thread:
// starting a reader thread costs a job of one label more than reading it.
// The notices, written on std::cerr by the renderer, become warnings of the
// job.
int Render(const Rendering& rendering, std::string& text) {
    cli::RenderRun run;
    run.lang = rendering.language;
    run.dpi = rendering.dpi;
    run.oneThread = true;
    run.emit = [&](const std::string& label) { text += label; };
    std::ostringstream notices;
    std::streambuf* saved = std::cerr.rdbuf(notices.rdbuf());
    const int status = cli::RenderInputs(run);
    std::cerr.rdbuf(saved);
    std::istringstream lines(notices.str());
    for (std::string line; std::getline(lines, line);) Log("WARNING", line);
    return status;
}

int Main(int argc, char** argv) {
    if (argc != 6 && argc != 7) return Fail("usage: quillon-label job-id user title copies options [file]");
    if (*argv[3]) gTitle = argv[3];
    const long copies = ParseCopies(argv[4]);
    if (copies == 0) return Fail(std::string("copies \"") + argv[4] + "\": expected a whole number from 1");
    const Rendering rendering = QueueRendering(argv[5]);
    if (!rendering.error.empty()) return Fail(rendering.error);

    if (argc == 7) {
        const int input = ::open(argv[6], O_RDONLY | O_CLOEXEC);
        if (input < 0 || ::dup2(input, 0) < 0)
            return Fail(gTitle + ": cannot read the job's file: " + std::strerror(errno));
        ::close(input);
    }
    ::signal(SIGPIPE, SIG_IGN);
    std::string text;
    if (const int status = Render(rendering, text)) return status;
    for (long i = 0; i < copies; ++i)
        if (!WriteAll(1, text))
            return Fail(std::string("cannot write the command text: ") + std::strerror(errno));
    return 0;
}

}  // namespace
}  // namespace cups
}  // namespace quillon

int main(int argc, char** argv) {
    return quillon::cups::Main(argc, argv);
}
