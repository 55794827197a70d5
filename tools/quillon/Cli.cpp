// What the subcommands share: the command text's descriptor and option
// helpers.

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "Cli.h"
#include "Target.h"

namespace quillon::cli {

static int gTextFd = 1;

int TextFd() {
    return gTextFd;
}

void SeparateCommandText() {
    std::cout.flush();
    std::fflush(stdout);
    gTextFd = ::dup(1);
    ::dup2(2, 1);
}

int WriteText(const std::string& text) {
    return WriteAll(TextFd(), text.data(), text.size()) ? kOk : kRenderFailed;
}

void Finish(int status) {
    if (status != kOk) throw CLI::RuntimeError(status);
}

CLI::Option* AddLanguage(CLI::App* sub, std::string& lang, const char* help) {
    return sub->add_option("--lang", lang, help)
        ->transform(CLI::IsMember({"vorn", "kesh"}, CLI::ignore_case));
}

Language LanguageOption(const std::string& name) {
    return name == "kesh" ? Language::Kesh : name == "vorn" ? Language::Vorn : Language::Unset;
}

}  // namespace quillon::cli
