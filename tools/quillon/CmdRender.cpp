// quillon render: label files to command text.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>

#include "Cli.h"
#include "LabelReader.h"
#include "Notices.h"
#include "OutputWriter.h"
#include "Progress.h"
#include "Label.h"
#include "Target.h"

namespace quillon::cli {
namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Where the time of one run went, for --stats.
struct Stats {
    std::uint64_t labels = 0;
    Clock::duration render{}, write{}, parse{};
    Clock::time_point start = Clock::now();
    std::clock_t cpuStart = std::clock();

    void Print() const {
        // Everything that is neither rendering nor writing is waiting for
        // the reader; its own time is given apart, as it overlaps.
        const double total = Seconds(Clock::now() - start), r = Seconds(render), w = Seconds(write);
        // On a shared machine wall time includes waiting for a core; the
        // process's own CPU time does not.
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        char line[320];
        std::snprintf(line, sizeof line,
                      "quillon: %llu labels in %.3f s (%.0f labels/s): json wait %.3f s (%.1f%%), render %.3f s "
                      "(%.1f%%), write %.3f s (%.1f%%); json parse %.3f s (%.1f%%) on its own thread; "
                      "cpu %.3f s (%.0f labels per cpu-second)\n",
                      static_cast<unsigned long long>(labels), total, total > 0 ? labels / total : 0.0,
                      total - r - w, 100 * (total - r - w) / total, r, 100 * r / total, w, 100 * w / total,
                      Seconds(parse), 100 * Seconds(parse) / total, cpu, cpu > 0 ? labels / cpu : 0.0);
        std::cerr << line;
    }
};

// Opens one input; -1 (reported) when it cannot be read.
int OpenInput(const std::string& path, std::uint64_t& size) {
    if (path == "-") return 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    // A directory opens like a file but cannot be read as one.
    const int error = fd < 0 ? errno : ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (error) {
        if (fd >= 0) ::close(fd);
        Report(path + ": " + std::strerror(error));
        return -1;
    }
    size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    return fd;
}

// Renders the labels of one input; false when no more should be read.
bool RenderInput(const std::string& path, int fd, std::uint64_t size, const InputOptions& o, const RenderRun& run,
                 Stats& stats, int& status) {
    const std::string name = path == "-" ? "<stdin>" : path;
    Progress progress(run.progress && ::isatty(2), size);
    LibraryLines caught;
    NoticeReport notices;
    bool batch = false, more = true;
    auto handle = [&](Record& r) {
        batch = batch || r.batch;
        if (!r.label) {
            progress.Finish();
            Report(r.error);
            status = kBadInput;
            return !run.stopAtError;
        }
        if (run.check) return ++stats.labels, true;
        try {
            const Clock::time_point t0 = Clock::now();
            std::string text = RenderLabel(*r.label);
            const Clock::time_point t1 = Clock::now();
            run.emit(text);
            stats.write += Clock::now() - t1;
            stats.render += t1 - t0;
            ++stats.labels;
        } catch (const RenderError& e) {
            progress.Finish();
            Report(name + ": " + (r.batch ? "label " + std::to_string(r.index) + ": " : "") + e.what());
            if (status == kOk) status = kRenderFailed;
            caught.Take();  // about a label that was not rendered
            return !run.stopAtError;
        }
        CollectNotices(*r.label, caught.Take(), r.index, notices);
        return true;
    };
    // The labels are read and checked on another thread; every record,
    // message or label, is handled here in input order.
    LabelReader reader(fd, name, LanguageOption(o.lang));
    LabelBatch labels;
    while (more && reader.Next(labels)) {
        for (Record& r : labels.records)
            if (!(more = handle(r))) break;
        progress.Update(stats.labels, labels.bytes);
    }
    reader.Close();
    progress.Finish();
    stats.parse += reader.Busy();
    notices.Print("quillon: " + name + ": ", batch);
    return more;
}

struct RenderOptions {
    InputOptions in;
    std::string output;
    bool quiet = false, check = false, stats = false;
};

int Run(const RenderOptions& o) {
    try {
        OutputWriter out(o.output, TextFd());
        RenderRun run;
        run.check = o.check;
        run.stats = o.stats;
        run.stopAtError = o.in.failFast;
        // Only when the command text is not going to the same terminal.
        run.progress = !o.quiet && !((o.output.empty() || o.output == "-") && ::isatty(TextFd()));
        run.emit = [&](const std::string& text) { out.Append(text); };
        const int status = RenderInputs(o.in, run);
        out.Finish();
        return status;
    } catch (const SendError& e) {
        Report(e.what());
        return kRenderFailed;
    }
}

}  // namespace

int RenderInputs(const InputOptions& o, const RenderRun& run) {
    int status = kOk;
    Stats stats;
    for (const std::string& path : o.inputs) {
        std::uint64_t size = 0;
        const int fd = OpenInput(path, size);
        if (fd < 0) {
            status = kBadInput;
            if (run.stopAtError) break;
            continue;
        }
        const bool more = RenderInput(path, fd, size, o, run, stats, status);
        if (fd > 0) ::close(fd);
        if (!more) break;
    }
    if (run.stats) stats.Print();
    return status;
}

void SetupRender(CLI::App& app) {
    auto o = std::make_shared<RenderOptions>();
    CLI::App* sub = app.add_subcommand("render", "Render label files to command text");
    sub->add_option("LABEL", o->in.inputs,
                    "Label files (a JSON object, an array or JSON Lines each); - or none reads standard input");
    AddLanguage(sub, o->in.lang, "Printer language, vorn or kesh; overrides the files' \"language\"");
    sub->add_option("-o,--output", o->output, "Write to FILE instead of standard output");
    sub->add_flag("-q,--quiet", o->quiet, "No progress bar");
    sub->add_flag("--fail-fast", o->in.failFast, "Stop at the first bad label");
    sub->add_flag("--check", o->check, "Only read and check the labels; write nothing");
    sub->add_flag("--stats", o->stats, "Print label count, labels/s and where the time went on standard error");
    sub->footer(
        "Examples:\n"
        "  quillon render examples/text.json\n"
        "  quillon render labels.jsonl --lang kesh -o out.prn\n"
        "  quillon render *.json -o all.prn\n"
        "  quillon render --check labels.jsonl\n"
        "  cat label.json | quillon render -");
    sub->callback([o] { Finish(Run(*o)); });
}

}  // namespace quillon::cli
