// quillon: label files in, printer command text out, or straight to a
// printer.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <nlohmann/json.hpp>

#include "Devices.h"
#include "LabelInput.h"
#include "LabelReader.h"
#include "OutputWriter.h"
#include "Progress.h"
#include "Render.h"
#include "Target.h"

namespace quillon::cli {
namespace {

enum ExitStatus { kOk = 0, kRenderFailed = 1, kBadInput = 2, kSendFailed = 3 };

// Command text goes to the original standard output; the tool's own
// standard output is pointed at standard error, so that the library's
// notice lines never end up inside the printer's command text.
int gTextFd = 1;

void SeparateCommandText() {
    std::cout.flush();
    std::fflush(stdout);
    gTextFd = ::dup(1);
    ::dup2(2, 1);
}

void Report(const std::string& message) {
    std::cerr << "quillon: " << message << '\n';
}

Language LanguageOption(const std::string& name) {
    return name == "kesh" ? Language::Kesh : name == "vorn" ? Language::Vorn : Language::Unset;
}

struct RenderOptions {
    std::string input;
    std::string lang;
    std::string output;
    bool quiet = false;
    bool failFast = false;
    bool stats = false;
    bool check = false;  // read and check only
    double dpi = 0;      // when set, replaces every label's resolution
};

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Closes a descriptor the tool opened.
class OwnedFd {
  public:
    explicit OwnedFd(int fd) : _fd(fd) {}
    ~OwnedFd() {
        if (_fd >= 0) ::close(_fd);
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;

  private:
    int _fd;
};

// Reads every label of the input and hands each rendered text to `emit`.
// Returns the exit status: 2 when any label was unreadable, else 1 when
// the library refused any, else 0.
int RenderInput(const RenderOptions& o, bool forSend, const std::function<void(const std::string&)>& emit) {
    int fd = 0;
    std::string name = "<stdin>";
    std::uint64_t total = 0;
    if (o.input != "-") {
        name = o.input;
        fd = ::open(o.input.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            Report(o.input + ": " + std::strerror(errno));
            return kBadInput;
        }
    }
    OwnedFd owned(o.input != "-" ? fd : -1);
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        // A directory opens like a file but cannot be read as one.
        if (S_ISDIR(st.st_mode)) {
            Report(name + ": " + std::strerror(EISDIR));
            return kBadInput;
        }
        if (S_ISREG(st.st_mode) && o.input != "-") total = static_cast<std::uint64_t>(st.st_size);
    }

    // On standard error, and only when the command text is not going to
    // the same terminal.
    const bool textToTerminal = o.output.empty() || o.output == "-" ? ::isatty(gTextFd) : false;
    Progress progress(!o.quiet && !forSend && ::isatty(2) && !textToTerminal, total);
    const Language language = LanguageOption(o.lang);
    int status = kOk;
    std::uint64_t rendered = 0;
    Clock::duration renderTime{}, writeTime{};
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    auto handle = [&](Record& r) {
        if (!r.label) {
            progress.Finish();
            Report(r.error);
            status = kBadInput;
            return !(o.failFast || forSend);
        }
        if (o.dpi > 0) {
            r.label->dotsPerUnit = static_cast<float>(o.dpi);
            r.label->resolutionUnit = ScaleEnum::Inch;
        }
        if (o.check) {
            ++rendered;
            return true;
        }
        try {
            Clock::time_point t0 = Clock::now();
            std::string text = RenderLabel(std::move(*r.label), language);
            Clock::time_point t1 = Clock::now();
            emit(text);
            writeTime += Clock::now() - t1;
            renderTime += t1 - t0;
            ++rendered;
        } catch (const RenderError& e) {
            progress.Finish();
            std::string where = name + ": ";
            if (r.batch) where += "label " + std::to_string(r.index) + ": ";
            Report(where + e.what());
            if (status == kOk) status = kRenderFailed;
            return !(o.failFast || forSend);
        }
        return true;
    };
    // The labels are read and checked on another thread; every record,
    // message or label, is handled here in input order.
    LabelReader reader(fd, name);
    LabelBatch batch;
    for (bool more = true; more && reader.Next(batch);) {
        for (Record& r : batch.records) {
            more = handle(r);
            if (!more) break;
        }
        progress.Update(rendered, batch.bytes);
    }
    reader.Close();
    progress.Finish();
    if (o.stats) {
        // Everything that is neither rendering nor writing is waiting for
        // the reader; its own time is reported apart, as it overlaps.
        double total = Seconds(Clock::now() - start);
        // On a shared machine wall time includes waiting for a core; the
        // process's own CPU time does not.
        double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        double render = Seconds(renderTime), write = Seconds(writeTime), parse = Seconds(reader.Busy());
        char line[320];
        std::snprintf(
            line, sizeof line,
            "quillon: %llu labels in %.3f s (%.0f labels/s): json wait %.3f s (%.1f%%), render %.3f s "
            "(%.1f%%), write %.3f s (%.1f%%); json parse %.3f s (%.1f%%) on its own thread; "
            "cpu %.3f s (%.0f labels per cpu-second)\n",
            static_cast<unsigned long long>(rendered), total, total > 0 ? rendered / total : 0.0,
            total - render - write, 100 * (total - render - write) / total, render, 100 * render / total,
            write, 100 * write / total, parse, 100 * parse / total, cpu, cpu > 0 ? rendered / cpu : 0.0);
        std::cerr << line;
    }
    return status;
}

int RunRender(const RenderOptions& o) {
    try {
        OutputWriter out(o.output, gTextFd);
        int status = RenderInput(o, false, [&](const std::string& text) { out.Append(text); });
        out.Finish();
        return status;
    } catch (const SendError& e) {
        Report(e.what());
        return kRenderFailed;
    }
}

// ---- send: delivery options, summary line, exit status 3 ----
struct SendFlags {
    double timeout = 30;
    bool showReply = false;
};

int RunSend(const RenderOptions& o, const std::string& to, const SendFlags& flags) {
    Target target;
    try {
        target = ParseTarget(to);
    } catch (const UsageError& e) {
        Report(e.what());
        return kBadInput;
    }
    // Every label is rendered before anything is sent: a bad label in the
    // input sends nothing at all.
    std::string text;
    std::uint64_t labels = 0;
    int status = RenderInput(o, true, [&](const std::string& t) {
        text += t;
        ++labels;
    });
    if (status != kOk) return status;
    const Clock::time_point start = Clock::now();
    SendOutcome sent;
    try {
        sent = OpenTransport(target, gTextFd, SendOptions{flags.timeout})->Send(text);
    } catch (const SendError& e) {
        Report(e.what());
        return kSendFailed;
    }
    if (target.kind == Target::Kind::Stdout) return kOk;
    if (flags.showReply) std::cerr << "quillon: " << ReplyText(sent);
    if (!sent.complete) {
        Report(StoppedLine(sent, text.size(), target.uri));
        return kSendFailed;
    }
    std::cerr << SentLine(labels, text.size(), target.uri, Seconds(Clock::now() - start)) << '\n';
    return kOk;
}
// ---- end of send ----

int RunDemo(const std::string& lang, const std::string& output) {
    TextFile out(output, gTextFd);
    try {
        out.Write(RenderLabel(ShippingLabel(), LanguageOption(lang)));
    } catch (const std::exception& e) {
        Report(e.what());
        return kRenderFailed;
    }
    return kOk;
}

std::string Hex4(unsigned value) {
    static const char digits[] = "0123456789abcdef";
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, value >>= 4) s[static_cast<std::size_t>(i)] = digits[value & 15];
    return s;
}

int RunUsbList(bool asJson) {
    std::vector<UsbPrinter> printers;
    try {
        printers = ListUsbPrinters();
    } catch (const SendError& e) {
        Report(e.what());
        return kSendFailed;
    }
    std::string text;
    if (asJson) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& p : printers)
            list.push_back({{"vendor_id", p.vendorId},
                            {"product_id", p.productId},
                            {"uri", "usb:" + Hex4(p.vendorId) + ":" + Hex4(p.productId)}});
        text = list.dump(2) + "\n";
    } else {
        for (const auto& p : printers) text += "usb:" + Hex4(p.vendorId) + ":" + Hex4(p.productId) + "\n";
    }
    WriteAll(gTextFd, text.data(), text.size());
    return kOk;
}

int RunText(HostText request, const std::string& font, const std::string& brand, const std::string& to) {
    try {
        // "DejaVu Sans 24": the last word is the size, the rest the family.
        std::size_t space = font.find_last_of(' ');
        std::string size = space == std::string::npos ? "" : font.substr(space + 1);
        if (size.empty() || size.find_first_not_of("0123456789") != std::string::npos || size.size() > 4)
            throw UsageError("--font " + font + ": expected a family and a size, such as \"DejaVu Sans 24\"");
        request.face = font.substr(0, space);
        request.height = std::stoi(size);
        request.brand = brand == "hlv" ? 2 : 1;
        Target target = ParseTarget(to);
        DownloadText(request, target);
    } catch (const UsageError& e) {
        Report(e.what());
        return kBadInput;
    } catch (const SendError& e) {
        Report(e.what());
        return kSendFailed;
    } catch (const std::exception& e) {
        Report(std::string("text: ") + e.what());
        return kSendFailed;
    }
    return kOk;
}

int Main(int argc, char** argv) {
    CLI::App app{"quillon: label files to printer command text (VORN or KESH), or straight to a printer."};
    app.set_version_flag("--version", "quillon " QUILLON_VERSION);
    app.require_subcommand(0, 1);
    app.footer(
        "Without a subcommand, prints the sample shipping label (same as `quillon demo`).\n"
        "Exit status: 0 done, 1 the library refused a label, 2 bad input or usage, 3 sending failed.\n\n"
        "Examples:\n"
        "  quillon demo --lang kesh\n"
        "  quillon render label.json -o label.prn\n"
        "  quillon send label.json --to tcp://192.0.2.10:9100\n"
        "  quillon usb-list --json");

    std::string lang;
    std::string output;
    auto* demo = app.add_subcommand("demo", "Print the built-in 4 x 6 inch shipping label (203 dpi)");
    demo->add_option("--lang", lang, "Printer language")->check(CLI::IsMember({"vorn", "kesh"}));
    demo->add_option("-o,--output", output, "Write to FILE instead of standard output");
    demo->footer("Examples:\n  quillon demo\n  quillon demo --lang kesh -o ship.txt");

    RenderOptions ro;
    auto* render = app.add_subcommand("render", "Render label files to command text");
    render
        ->add_option("LABEL", ro.input,
                     "Label file (JSON object, array or JSON Lines); - reads standard input")
        ->required();
    render->add_option("--lang", ro.lang, "Printer language; overrides the file's \"language\"")
        ->check(CLI::IsMember({"vorn", "kesh"}));
    render->add_option("-o,--output", ro.output, "Write to FILE instead of standard output");
    render->add_option("--dpi", ro.dpi, "Printer resolution in dots per inch; overrides the file's")
        ->check(CLI::Range(1.0, 100000.0));
    render->add_flag("-q,--quiet", ro.quiet, "No progress bar");
    render->add_flag("--fail-fast", ro.failFast, "Stop at the first bad label of a batch");
    render->add_flag("--check", ro.check, "Only read and check the labels; write nothing");
    render->add_flag("--stats", ro.stats,
                     "Print label count, labels/s and where the time went on standard error");
    render->footer(
        "Examples:\n"
        "  quillon render examples/text.json\n"
        "  quillon render labels.jsonl --lang kesh -o out.prn\n"
        "  quillon render --check labels.jsonl\n"
        "  cat label.json | quillon render -");

    RenderOptions so;
    std::string sendTo;
    auto* send = app.add_subcommand("send", "Render label files and send them to a printer");
    send->add_option("LABEL", so.input, "Label file; - reads standard input")->required();
    send->add_option("--to", sendTo,
                     "tcp://HOST:PORT, tcp://[IPv6%IF]:PORT, usb, usb:VID:PID, "
                     "serial:/dev/NAME?baud=N, bt:AA:BB:CC:DD:EE:FF?channel=1, or -")
        ->required();
    send->add_option("--lang", so.lang, "Printer language")->check(CLI::IsMember({"vorn", "kesh"}));
    SendFlags sendFlags;
    send->add_option("--timeout", sendFlags.timeout,
                     "Give up when connecting, or the printer accepting no byte, takes longer than SECONDS "
                     "(default 30)")
        ->check(CLI::Range(0.001, 86400.0));
    send->add_flag("--show-reply", sendFlags.showReply, "Print what the printer sent back on standard error");
    send->footer(
        "Every label is rendered before anything is sent; a bad label sends nothing. A summary goes to "
        "standard error; exit status 3 tells that the printer did not accept every byte.\n\n"
        "Examples:\n"
        "  quillon send label.json --to tcp://192.0.2.10:9100\n"
        "  quillon send label.json --to 'tcp://[fe80::1%eth0]:9100'\n"
        "  quillon send label.json --to usb:1234:0001\n"
        "  quillon send label.json --to 'serial:/dev/ttyUSB0?baud=115200'\n"
        "  quillon send label.json --to bt:00:11:22:33:44:55\n"
        "  quillon send label.json --to -");

    bool listJson = false;
    auto* usbList = app.add_subcommand("usb-list", "List attached printers of the known brands");
    usbList->add_flag("--json", listJson, "Print a JSON array");
    usbList->footer(
        "Each printer is printed as the --to URI that reaches it.\n\nExamples:\n  quillon usb-list\n"
        "  quillon usb-list --json");

    HostText host;
    std::string font, brand, textTo;
    auto* text =
        app.add_subcommand("text", "Render text on the host and store it in the printer as an image");
    text->add_option("STRING", host.text, "The text (UTF-8)")->required();
    text->add_option("--font", font, "Family and size, e.g. \"DejaVu Sans 24\"")->required();
    text->add_option("--brand", brand, "Printer brand")->required()->check(CLI::IsMember({"orlo", "hlv"}));
    text->add_option("--to", textTo, "Printer: tcp://..., usb, serial:..., bt:...")->required();
    text->add_option("--rotate", host.rotation, "Rotation in degrees")
        ->check(CLI::IsMember({0, 90, 180, 270}));
    text->add_flag("--bold", host.bold);
    text->add_flag("--italic", host.italic);
    text->add_flag("--underline", host.underline);
    text->add_option("--name", host.name, "Image name on the printer; place it with a \"picture\" object")
        ->required();
    text->footer(
        "Examples:\n"
        "  quillon text \"Grüße 123\" --font \"DejaVu Sans 24\" --brand orlo --to tcp://192.0.2.10:9100 "
        "--name GREET.PNG\n"
        "  quillon text \"SALE\" --font \"DejaVu Sans 48\" --brand hlv --to usb --rotate 90 --bold --name "
        "SALE");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? kOk : kBadInput;
    }

    SeparateCommandText();
    if (*render) return RunRender(ro);
    if (*send) return RunSend(so, sendTo, sendFlags);
    if (*usbList) return RunUsbList(listJson);
    if (*text) return RunText(host, font, brand, textTo);
    return RunDemo(lang, output);
}

}  // namespace
}  // namespace quillon::cli

int main(int argc, char** argv) {
    return quillon::cli::Main(argc, argv);
}
