// quillon send: label files rendered and sent to a printer.

#include <memory>

#include "Cli.h"
#include "Target.h"

namespace quillon::cli {
namespace {

struct SendOptions {
    RenderRun run;
    std::string to;
};

int Run(const SendOptions& o) {
    Target target;
    try {
        target = ParseTarget(o.to);
    } catch (const UsageError& e) {
        Report(e.what());
        return kBadInput;
    }
    // Every label is rendered before anything is sent: a bad label in the
    // input sends nothing at all.
    std::string text;
    RenderRun run = o.run;
    run.stopAtError = true;
    run.emit = [&](const std::string& t) { text += t; };
    int status = RenderInputs(run);
    if (status != kOk) return status;
    try {
        OpenTransport(target, TextFd())->Send(text);
    } catch (const SendError& e) {
        Report(e.what());
        return kSendFailed;
    }
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
    sub->footer(
        "Every label is rendered before anything is sent; a bad label sends nothing.\n\n"
        "Examples:\n"
        "  quillon send label.json --to tcp://192.0.2.10:9100\n"
        "  quillon send label.json --to 'tcp://[fe80::1%eth0]:9100'\n"
        "  quillon send label.json --to usb:1234:0001\n"
        "  quillon send label.json --to 'serial:/dev/ttyUSB0?baud=115200'\n"
        "  quillon send label.json --to bt:00:11:22:33:44:55\n"
        "  quillon send label.json --to -");
    sub->callback([o] { Finish(Run(*o)); });
}

}  // namespace quillon::cli
