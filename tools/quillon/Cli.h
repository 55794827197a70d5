#ifndef QUILLON_TOOLS_CLI_H
#define QUILLON_TOOLS_CLI_H

// What the subcommands share: exit statuses, messages, the command text's
// descriptor and option helpers. Each subcommand lives in a file of its own
// with its options, its setup and its run.

#include <CLI/CLI.hpp>
#include <charconv>
#include <functional>
#include <string>
#include <vector>

#include "LabelReader.h"

namespace quillon::cli {

enum ExitStatus { kOk = 0, kRenderFailed = 1, kBadInput = 2, kSendFailed = 3 };

// "quillon: message" on standard error.
void Report(const std::string& message);

// Where command text goes: the standard output the tool was started with.
// The process's own standard output is pointed at standard error, so that
// lines the library prints never end up in the printer's command text.
int TextFd();
void SeparateCommandText();

// Writes `text` to the command text: kOk, or kRenderFailed when it could
// not be written.
int WriteText(const std::string& text);

// Ends a subcommand's run with `status` (nothing to do for kOk).
void Finish(int status);

// Adds --lang (case-insensitive) to `sub`.
CLI::Option* AddLanguage(CLI::App* sub, std::string& lang, const char* help);
Language LanguageOption(const std::string& name);
// Accepts a number of type T from `lo` to `hi`; a value outside is refused
// with "`expected`, not VALUE". `name` stands for the value in the help.
template <class T>
CLI::Validator NumberFrom(T lo, T hi, const std::string& expected, const std::string& name) {
    return CLI::Validator(
        [=](std::string& text) {
            T value = 0;
            const char* end = text.data() + text.size();
            const auto [at, error] = std::from_chars(text.data(), end, value);
            return error == std::errc() && at == end && value >= lo && value <= hi
                       ? std::string()
                       : expected + ", not " + text;
        },
        name);
}

// Reads, checks and renders every label of `inputs` in input order, `jobs`
// at once (0: a thread per core but the reader's), handing each text to
// `emit`; reports errors and notices. Returns the worst status: kBadInput,
// kRenderFailed or kOk.
struct RenderRun {
    std::vector<std::string> inputs{"-"};
    std::string lang;
    float dpi = 0;                                           // 0: each label's own resolution
    bool check = false, stats = false, stopAtError = false;  // --check, --stats, --fail-fast
    bool oneThread = false;  // read on the calling thread (a job of one label)
    unsigned jobs = 0;
    std::function<void(const std::string&)> emit;
    // Set: takes each good label and its input's name instead of rendering.
    std::function<int(const std::string&, Record&)> each;
};
int RenderInputs(const RenderRun& run);

void SetupRender(CLI::App& app);
void SetupSend(CLI::App& app);
void SetupDemo(CLI::App& app);
void SetupUsbList(CLI::App& app);
void SetupText(CLI::App& app);
void SetupFields(CLI::App& app);
void SetupPreview(CLI::App& app);  // only in a tool built with libquillon-preview

}  // namespace quillon::cli

#endif
