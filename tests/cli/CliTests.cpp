// The tool as a user runs it: exit statuses, messages, what reaches the
// output, and the checked-in outputs of every example label.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "CliRunner.h"

namespace {

// Resolution, language, input shapes, JSON strings, library refusals and
// notices, one case each.
TEST(CliRender, Runs) {
    EXPECT_GT(CheckCases("runs.txt"), 25);
}

#ifdef QUILLON_HAVE_PREVIEW
// Messages and statuses of quillon preview; its pictures are checked in
// tests/preview.
TEST(CliPreview, Runs) {
    EXPECT_EQ(CheckCases("preview-runs.txt"), 5);
}
#endif

TEST(CliRender, WritesToFileOnlyWhenSomethingRendered) {
    std::string dir = TempDir();
    WriteFile(dir + "/good.json", PictureLabel("P", 1));
    WriteFile(dir + "/bad.json", R"({"objects": [{"type": "picture", "x": "1", "name": "A"}]})");

    CliResult good = RunTool({"render", dir + "/good.json", "-o", dir + "/good.txt"});
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(good.out, "");
    EXPECT_EQ(ReadFile(dir + "/good.txt"), VornPicture("P", 1));

    CliResult bad = RunTool({"render", dir + "/bad.json", "-o", dir + "/bad.txt"});
    EXPECT_EQ(bad.status, 2);
    struct stat st {};
    EXPECT_NE(stat((dir + "/bad.txt").c_str(), &st), 0) << "a rejected label must not create the output file";
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
    for (const char* sub : {"demo", "render", "send", "usb-list", "text"}) {
        CliResult h = RunTool({sub, "--help"});
        EXPECT_EQ(h.status, 0) << sub;
        EXPECT_NE(h.out.find("Examples:"), std::string::npos) << sub;
        EXPECT_NE(h.out.find(std::string("quillon ") + sub), std::string::npos) << sub;
    }
    // Without a command, and with `help`, the usage; `help COMMAND` is
    // `COMMAND --help`.
    CliResult bare = RunTool({});
    EXPECT_EQ(bare.status, 0);
    EXPECT_NE(bare.out.find("Exit status: 0 done, 1 the library refused a label, 2 bad input or usage"),
              std::string::npos);
    EXPECT_EQ(RunTool({"--help"}).out, bare.out);
    EXPECT_EQ(RunTool({"help"}).out, bare.out);
    EXPECT_EQ(RunTool({"help", "render"}).out, RunTool({"render", "--help"}).out);
}

// ---- Example labels against their checked-in outputs ----

std::vector<std::string> ExampleNames() {
    std::vector<std::string> names;
    for (const std::string& f : Files(QUILLON_EXAMPLES_DIR))
        if (f.size() > 5 && f.compare(f.size() - 5, 5, ".json") == 0)
            names.push_back(f.substr(0, f.size() - 5));
    return names;
}

class CliExample : public ::testing::TestWithParam<std::string> {};

// An example whose file names its language has an expected output for that
// language only.
TEST_P(CliExample, MatchesExpectedOutput) {
    const std::string name = GetParam();
    int compared = 0;
    for (const char* lang : {"vorn", "kesh"}) {
        std::string expectedPath =
            std::string(QUILLON_EXAMPLES_DIR) + "/expected/" + name + "." + lang + ".txt";
        struct stat st {};
        if (stat(expectedPath.c_str(), &st) != 0) continue;
        ++compared;
        CliResult r =
            RunTool({"render", std::string(QUILLON_EXAMPLES_DIR) + "/" + name + ".json", "--lang", lang});
        EXPECT_EQ(r.status, 0) << name << " " << lang << ": " << r.err;
        EXPECT_EQ(r.out, ReadFile(expectedPath)) << name << " " << lang;
    }
    if (compared == 0)
        GTEST_SKIP() << name
                     << ": no expected output checked in yet (its object kind is not in the library yet)";
}

INSTANTIATE_TEST_SUITE_P(Examples, CliExample, ::testing::ValuesIn(ExampleNames()), [](const auto& info) {
    std::string n = info.param;
    std::replace(n.begin(), n.end(), '-', '_');
    return n;
});

}  // namespace
