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
#include "InputSource.h"
#include "LabelFilter.h"
#include "LabelReader.h"
#include "Notices.h"

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

// Reads and renders the labels of standard input in order, with the
// messages and exit status of `quillon render -` and its notices as
// warnings of the job. Each label is rendered as soon as it is read, on this
// thread: starting a reader thread and handing labels over costs a job of
// one label more than reading it does.
int Render(const Rendering& rendering, std::string& text) {
    const std::string name = "<stdin>";
    cli::InputSource input(0);
    int status = cli::kOk;
    bool batch = false;
    cli::NoticeReport notices;
    std::vector<quillon::LabelNotice> labelNotices;
    auto handle = [&](cli::Record& r) {
        batch = batch || r.batch;
        if (!r.label) {
            cli::Report(r.error);
            status = cli::kBadInput;
            return true;
        }
        try {
            text += cli::RenderLabel(*r.label, &labelNotices);
        } catch (const cli::RenderError& e) {
            cli::Report(name + ": " + (r.batch ? "label " + std::to_string(r.index) + ": " : "") + e.what());
            if (status == cli::kOk) status = cli::kRenderFailed;
            return true;
        }
        cli::CollectNotices(*r.label, labelNotices, r.index, notices);
        return true;
    };
    const cli::Language language = rendering.language == "kesh"   ? cli::Language::Kesh
                                   : rendering.language == "vorn" ? cli::Language::Vorn
                                                                  : cli::Language::Unset;
    cli::ReadLabels(input, name, {language, rendering.dpi}, handle);
    // A failed read ends the input as its end would, and is reported last.
    if (input.Error() != 0) {
        cli::Record failed;
        failed.error = name + ": " + std::strerror(input.Error());
        handle(failed);
    }
    std::ostringstream printed;
    std::streambuf* saved = std::cerr.rdbuf(printed.rdbuf());
    notices.Print("quillon: " + name + ": ", batch);
    std::cerr.rdbuf(saved);
    std::istringstream lines(printed.str());
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
