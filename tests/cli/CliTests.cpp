// The tool as a user runs it: exit statuses, messages, what reaches the
// output, and the checked-in outputs of every example label.

#include <gtest/gtest.h>

#include <filesystem>

#include "CliRunner.h"

namespace {

// Resolution, language, input shapes, units, JSON strings, library refusals and
// notices, one case each; run in tests/cli, whose inputs/ holds the files
// some read.
TEST(CliRender, Runs) {
    EXPECT_GT(CheckCases("runs.txt", QUILLON_TESTS_DIR), 35);
}

#ifdef QUILLON_HAVE_PREVIEW
// Messages and statuses of quillon preview; its pictures are checked in
// tests/preview.
TEST(CliPreview, Runs) {
    EXPECT_GT(CheckCases("preview-runs.txt"), 5);
}
#endif

// A good label written to a file: CliBatch.LargeOutputIsComplete.
TEST(CliRender, RejectedLabelCreatesNoFile) {
    const std::string dir = TempDir();
    WriteFile(dir + "/bad.json", R"({"objects": [{"type": "picture", "x": "1", "name": "A"}]})");
    EXPECT_EQ(RunTool({"render", dir + "/bad.json", "-o", dir + "/bad.txt"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir + "/bad.txt"));
}

// Every documented rejection: exit status 2, one message naming the input and
// the field, and nothing on standard output.
TEST(CliRender, RejectsBadLabelsWithFieldPath) {
    EXPECT_GT(CheckCases("rejected-labels.txt"), 50);
    // Nesting costs no stack however deep it goes.
    CliResult r =
        RunTool({"render", "-"}, "{\"a\": " + std::string(100000, '[') + std::string(100000, ']') + "}");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "quillon: <stdin>: a: unknown field\n");
}

TEST(CliUsage, RefusedCommandLines) {
    EXPECT_GT(CheckCases("rejected-commands.txt"), 20);
}

TEST(CliUsage, HelpAndVersion) {
    CliResult v = RunTool({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out.rfind("quillon 1.0.0\nbuild: ", 0), 0u) << v.out;
    EXPECT_NE(v.out.find("\nUSB vendor ids: ORLO "), std::string::npos) << v.out;
    // `help COMMAND` is `COMMAND --help`; without a command, and with `help`,
    // the usage.
    for (const char* sub : {"demo", "render", "send", "usb-list", "text"}) {
        const CliResult h = RunTool({sub, "--help"});
        EXPECT_EQ(h.status, 0) << sub;
        EXPECT_NE(h.out.find("Examples:"), std::string::npos) << sub;
        EXPECT_NE(h.out.find(std::string("quillon ") + sub), std::string::npos) << sub;
        EXPECT_EQ(RunTool({"help", sub}).out, h.out) << sub;
    }
    const CliResult bare = RunTool({});
    EXPECT_EQ(bare.status, 0);
    EXPECT_NE(bare.out.find("Exit status: 0 done, 1 the library refused a label, 2 bad input or usage"),
              std::string::npos);
    for (const char* help : {"--help", "help"}) EXPECT_EQ(RunTool({help}).out, bare.out) << help;
}

// examples/expected/NAME.LANG.txt is what the example NAME.json renders to
// in that language.
TEST(CliExamples, MatchCheckedInOutputs) {
    int compared = 0;
    for (const std::string& file : Files(QUILLON_EXAMPLES_DIR "/expected")) {
        const std::size_t dot = file.find('.');
        const std::string name = file.substr(0, dot), lang = file.substr(dot + 1, file.rfind('.') - dot - 1);
        const CliResult r = RunTool({"render", QUILLON_EXAMPLES_DIR "/" + name + ".json", "--lang", lang});
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        EXPECT_EQ(r.out, ReadFile(QUILLON_EXAMPLES_DIR "/expected/" + file)) << file;
        ++compared;
    }
    EXPECT_GE(compared, 25);
}

}  // namespace
