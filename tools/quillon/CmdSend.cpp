// quillon send: label files rendered and delivered to a printer, with a
// summary of what arrived.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <iostream>
#include <memory>

#include "Cli.h"
#include "Target.h"

namespace quillon::cli {
namespace {

struct SendOptions {
    RenderRun run;
    std::string to;
    double timeout = 30;
    bool showReply = false;
};

int Run(const SendOptions& o) {
    const Target target = ParseTarget(o.to);
    // Every label is rendered before anything is sent: a bad label in the
    // input sends nothing at all.
    std::string text;
    std::uint64_t labels = 0;
    RenderRun run = o.run;
    run.stopAtError = true;
    run.emit = [&](const std::string& t) {
        text += t;
        ++labels;
    };
    int status = RenderInputs(run);
    if (status != kOk) return status;
    if (target.toStdout) {
        if (WriteAll(TextFd(), text.data(), text.size())) return kOk;
        Report(std::string("standard output: ") + std::strerror(errno));
        return kSendFailed;
    }
    // Connecting and every pause of the printer are bounded by --timeout;
    // the printer gets at most its default time after the job to close.
    const std::chrono::milliseconds limit(std::llround(o.timeout * 1000));
    DeliveryOptions options;
    options.connectTimeout = options.stallTimeout = limit;
    options.closeTimeout = std::min(limit, options.closeTimeout);
    const auto start = std::chrono::steady_clock::now();
    const DeliveryResult sent = deliver(text, target.printer, options);
    if (o.showReply) std::cerr << "quillon: " << ReplyText(sent);
    if (!sent.complete) {
        Report(StoppedLine(sent, text.size(), target.uri));
        return kSendFailed;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cerr << SentLine(labels, text.size(), target.uri, seconds) << '\n';
    return kOk;
}

}  // namespace

void SetupSend(CLI::App& app) {
    auto o = std::make_shared<SendOptions>();
    CLI::App* sub = app.add_subcommand("send", "Render label files and send them to a printer");
    sub->add_option("LABEL", o->run.inputs, "Label files; - or none reads standard input");
    sub->add_option("--to", o->to,
                    "tcp://HOST:PORT, tcp://[IPv6%IF]:PORT, usb, usb:VID:PID, "
                    "serial:/dev/NAME?baud=N, bt:AA:BB:CC:DD:EE:FF?channel=1, or -")
        ->required();
    AddLanguage(sub, o->run.lang, "Printer language, vorn or kesh");
    sub->add_option("--timeout", o->timeout,
                    "Give up when connecting, or the printer accepting no byte, takes longer than SECONDS "
                    "(default 30)")
        ->check(NumberFrom<double>(0.001, 86400, "expected seconds from 0.001 to 86400", "SECONDS"));
    sub->add_flag("--show-reply", o->showReply, "Print what the printer sent back on standard error");
    sub->footer(
        "Every label is rendered before anything is sent; a bad label sends nothing. A summary goes to "
        "standard error; exit status 3 tells that the printer did not accept every byte.\n\n"
        "Examples:\n"
        "  quillon send label.json --to tcp://192.0.2.10:9100\n"
        "  quillon send label.json --to tcp://printer.example:9100 --timeout 10\n"
        "  quillon send label.json --to 'tcp://[fe80::1%eth0]:9100'\n"
        "  quillon send label.json --to usb:1234:0001\n"
        "  quillon send label.json --to 'serial:/dev/ttyUSB0?baud=115200'\n"
        "  quillon send label.json --to bt:00:11:22:33:44:55\n"
        "  quillon send label.json --to -");
    sub->callback([o] { Finish(Run(*o)); });
}

}  // namespace quillon::cli
