// quillon render: label files to command text.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "Cli.h"
#include "Notices.h"
#include "Target.h"

namespace quillon::cli {
namespace {

// For --stats: labels per second of wall time and, steadier on a shared
// machine, of the process's CPU time (both threads).
struct Stats {
    std::uint64_t labels = 0;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::clock_t cpuStart = std::clock();

    void Print() const {
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        char line[160];
        std::snprintf(line, sizeof line,
                      "quillon: %llu labels in %.3f s (%.0f labels/s), cpu %.3f s (%.0f labels/s)\n",
                      static_cast<unsigned long long>(labels), wall, labels / wall, cpu, labels / cpu);
        std::cerr << line;
    }
};

// Opens a label file (0 for "-"); -1, reported with the system's reason,
// when it cannot be read.
int OpenInput(const std::string& path) {
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
    return fd;
}

// One label's outcome, rendered ahead of its turn to be written.
struct Rendering {
    std::string text;
    std::string error;  // empty when rendered
    std::vector<quillon::LabelNotice> notices;
};

// Renders every good label of `records` on `jobs` threads, the calling one
// among them; each label renders on its own, so they share nothing.
void RenderAll(const std::vector<Record>& records, std::vector<Rendering>& out, unsigned jobs) {
    out.resize(records.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < records.size();) {
            if (!records[i].label) continue;
            Rendering& r = out[i];
            r.error.clear();
            try {
                r.text = RenderLabel(*records[i].label, &r.notices);
            } catch (const std::exception& e) {
                r.error = e.what();
            }
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned j = 1; j < std::min<std::size_t>(jobs, records.size()); ++j) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
}

// Renders the labels of one input; false when no more should be read.
bool RenderInput(const std::string& path, int fd, const RenderRun& run, Stats& stats, int& status) {
    const std::string name = path == "-" ? "<stdin>" : path;
    NoticeReport notices;
    bool batch = false, more = true;
    std::vector<Rendering> rendered;
    // Every record, message or label, is handled here in input order.
    auto handle = [&](Record& r, Rendering& done) {
        batch = batch || r.batch;
        if (!r.label) {
            Report(r.error);
            status = kBadInput;
            return !run.stopAtError;
        }
        if (run.each) return status = std::max(status, run.each(name, r)), true;
        if (run.check) return ++stats.labels, true;
        if (!done.error.empty()) {
            Report(name + ": " + (r.batch ? "label " + std::to_string(r.index) + ": " : "") + done.error);
            if (status == kOk) status = kRenderFailed;
            return !run.stopAtError;
        }
        run.emit(done.text);
        ++stats.labels;
        CollectNotices(*r.label, done.notices, r.index, notices);
        return true;
    };
    // The reader has a thread of its own, busy for most of a label's time:
    // a worker per core besides it, or contention slows every thread.
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned jobs = run.jobs ? run.jobs : cores > 1 ? cores - 1 : 1;
    // The labels are read and checked on another thread.
    LabelReader reader(fd, name, {LanguageOption(run.lang), run.dpi}, !run.oneThread);
    LabelBatch labels;
    while (more && reader.Next(labels)) {
        if (!run.check && !run.each) RenderAll(labels, rendered, jobs);
        rendered.resize(labels.size());
        for (std::size_t i = 0; i < labels.size(); ++i)
            if (!(more = handle(labels[i], rendered[i]))) break;
    }
    reader.Close();
    notices.Print("quillon: " + name + ": ", batch);
    return more;
}

struct RenderOptions {
    RenderRun run;
    std::string output;
};

int Run(RenderOptions& o) {
    try {
        TextFile out(o.output, TextFd());
        o.run.emit = [&](const std::string& text) { out.Append(text); };
        const int status = RenderInputs(o.run);
        out.Flush();
        return status;
    } catch (const SendError& e) {
        Report(e.what());
        return kRenderFailed;
    }
}

}  // namespace

int RenderInputs(const RenderRun& run) {
    int status = kOk;
    Stats stats;
    for (const std::string& path : run.inputs) {
        const int fd = OpenInput(path);
        if (fd < 0) {
            status = kBadInput;
            if (run.stopAtError) break;
            continue;
        }
        const bool more = RenderInput(path, fd, run, stats, status);
        if (fd > 0) ::close(fd);
        if (!more) break;
    }
    if (run.stats) stats.Print();
    return status;
}

void SetupRender(CLI::App& app) {
    auto o = std::make_shared<RenderOptions>();
    CLI::App* sub = app.add_subcommand("render", "Render label files to command text");
    sub->add_option(
        "LABEL", o->run.inputs,
        "Label files (a JSON object, an array or JSON Lines each); - or none reads standard input");
    AddLanguage(sub, o->run.lang, "Printer language, vorn or kesh; overrides the files' \"language\"");
    sub->add_option("--dpi", o->run.dpi, "Printer resolution in dots per inch; overrides the files' own")
        ->check(NumberFrom<float>(100, 1200, "expected dots per inch from 100 to 1200", "100-1200"));
    sub->add_option("-o,--output", o->output, "Write to FILE instead of standard output");
    sub->add_flag("--fail-fast", o->run.stopAtError, "Stop at the first bad label");
    sub->add_option("-j,--jobs", o->run.jobs,
                    "Labels rendered at once, one thread each (default: one per core but the reader's)")
        ->check(CLI::Range(1u, 256u));
    sub->add_flag("--check", o->run.check, "Only read and check the labels; write nothing");
    sub->add_flag("--stats", o->run.stats,
                  "Print label count, labels/s and where the time went on standard error");
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
