// quillon: label files in, printer command text out, or straight to a
// printer.

#include <fcntl.h>

#include <cerrno>
#include <iostream>
#include <sstream>

#include "Cli.h"
#include "Target.h"

namespace quillon::cli {

void Report(const std::string& message) {
    std::cerr << "quillon: " << message << '\n';
}

namespace {

const char* const kVersion =
    "quillon " QUILLON_VERSION "\nbuild: " QUILLON_BUILD_TYPE ", libquillon.so." QUILLON_SOVERSION
    "\nUSB vendor ids: ORLO " QUILLON_VENDOR_ORLO ", HLV " QUILLON_VENDOR_HLV " (0 recognises none)";

// A standard stream the tool was started without is opened on /dev/null,
// so that no file the tool opens later takes its number: a message must
// never end up in the command text or in a label file.
void OpenMissingStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
}

int Main(int argc, char** argv) {
    OpenMissingStandardStreams();
    CLI::App app{"quillon: label files to printer command text (VORN or KESH), or straight to a printer.",
                 "quillon"};
    app.set_version_flag("-V,--version", kVersion);
    app.require_subcommand(0, 1);
    app.footer(
        "Exit status: 0 done, 1 the library refused a label, 2 bad input or usage, 3 sending failed.\n"
        "`quillon help COMMAND` shows the options of a command.\n\n"
        "Examples:\n"
        "  quillon demo --lang kesh\n"
        "  quillon render label.json -o label.prn\n"
        "  quillon send label.json --to tcp://192.0.2.10:9100\n"
        "  quillon preview label.json -o label.png\n"
        "  quillon usb-list --json");
    SetupDemo(app);
    SetupRender(app);
    SetupSend(app);
    SetupUsbList(app);
    SetupText(app);
    SetupFields(app);
#ifdef QUILLON_HAVE_PREVIEW
    SetupPreview(app);
#endif
    auto usage = [&] { return app.get_formatter()->make_help(&app, "quillon", CLI::AppFormatMode::Normal); };
    std::string topic;
    CLI::App* help = app.add_subcommand("help", "Show the options of a command");
    help->add_option("COMMAND", topic, "A command");
    help->callback([&] {
        CLI::App* about = topic.empty() ? &app : nullptr;
        for (CLI::App* sub : app.get_subcommands({}))
            if (sub->get_name() == topic) about = sub;
        if (!about) Report("help: no command " + topic);
        if (!about) Finish(kBadInput);
        Finish(WriteText(about == &app ? usage() : about->help("quillon")));
    });
    if (argc < 2) return WriteText(usage());

    SeparateCommandText();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (dynamic_cast<const CLI::RuntimeError*>(&e)) return e.get_exit_code();
        // Help and version are command text too; errors go to standard error.
        std::ostringstream out;
        const int code = app.exit(e, out, std::cerr);
        return code == 0 ? WriteText(out.str()) : kBadInput;
    } catch (const UsageError& e) {  // a command line its command cannot carry out
        Report(e.what());
        return kBadInput;
    }
    return kOk;
}

}  // namespace
}  // namespace quillon::cli

int main(int argc, char** argv) {
    return quillon::cli::Main(argc, argv);
}
